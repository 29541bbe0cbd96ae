#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kestrune {

class Prompter;

// The About box: "Version Information" with the application name, "Created by " + creator +
// "," + date, the comment below, and the application's icon.
class ShellAboutDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString AppName MEMBER AppName)
    Q_PROPERTY(QString Creator MEMBER Creator)
    Q_PROPERTY(QString DateStr MEMBER DateStr)
    Q_PROPERTY(QString Comment MEMBER Comment)
  public:
    explicit ShellAboutDialog(QObject* parent = nullptr);

    QString AppName;
    QString Creator;
    QString DateStr;
    QString Comment;

    // The second text of the box, lines ended by CR LF.
    QString secondText() const;
    // Shows the box over its owner; true when it was shown.
    bool Execute(Prompter& prompter, QWidget* owner);
};

}  // namespace kestrune
