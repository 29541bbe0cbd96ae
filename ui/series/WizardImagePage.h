#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kestrune {

struct AppContext;
class WizardButtons;

// Wizard page 2: the image words, in the order the survey sheet shows them.
class WizardImagePage : public QWidget {
    Q_OBJECT
  public:
    explicit WizardImagePage(AppContext& context, QWidget* parent = nullptr);

    QLineEdit* wordBox() const { return wordBox_; }
    QListWidget* imageList() const { return imageList_; }
    QPushButton* addButton() const { return addButton_; }
    WizardButtons* buttons() const { return buttons_; }
    QStringList words() const;
    // The row of the selected word, or -1.
    int selectedRow() const;

    void addWord();
    void removeSelected();
    void removeAll();
    void moveUp();
    void moveDown();
    void moveToTop();
    void moveToBottom();
    // "他シリーズからの読み込み": the words of another series' vocabulary file.
    void importWords();

  private:
    void moveSelected(int to);
    void select(int row);
    void refuseTooMany();

    AppContext& context_;
    QLineEdit* wordBox_;
    QPushButton* addButton_;
    QListWidget* imageList_;
    WizardButtons* buttons_;
};

}  // namespace kestrune
