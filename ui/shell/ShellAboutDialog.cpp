#include "ui/shell/ShellAboutDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/common/Prompter.h"

namespace kestrune {

ShellAboutDialog::ShellAboutDialog(QObject* parent) : QObject(parent) {}

QString ShellAboutDialog::secondText() const {
    return QStringLiteral("Created by ") + Creator + QStringLiteral(",") + DateStr + QStringLiteral("\r\n") +
           Comment;
}

bool ShellAboutDialog::Execute(Prompter& prompter, QWidget* owner) {
    QDialog box(owner);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(QStringLiteral("Version Information"));
    auto* icon = new QLabel(&box);
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    auto* name = new QLabel(AppName, &box);
    name->setObjectName(QStringLiteral("aboutAppName"));
    QString shown = secondText();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* second = new QLabel(shown, &box);
    second->setObjectName(QStringLiteral("aboutSecondText"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* layout = new QGridLayout(&box);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(second, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    prompter.runDialog(box);
    return true;
}

}  // namespace kestrune
