#pragma once

#include <QWidget>
#include <vector>

#include "analysis/JoinList.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kestrune {

struct AppContext;

// The join sub-page "データの結合": the join list of full paths with its reordering buttons,
// the group box "生成されるファイル" with the result group and file name, and "結合".
class JoinSubPage : public QWidget {
    Q_OBJECT
  public:
    explicit JoinSubPage(AppContext& context, QWidget* parent = nullptr);

    // The page set-up empties the list (a join list never mixes series).
    void clear();
    // "データの結合": appends the chosen files of the page's series.
    void add(const std::vector<JoinEntry>& chosen);
    const JoinList& joinList() const { return list_; }

    QListWidget* listWidget() const { return listWidget_; }
    QPushButton* topButton() const { return topButton_; }
    QPushButton* upButton() const { return upButton_; }
    QPushButton* downButton() const { return downButton_; }
    QPushButton* bottomButton() const { return bottomButton_; }
    QPushButton* removeButton() const { return removeButton_; }
    QPushButton* clearButton() const { return clearButton_; }
    QPushButton* mergeButton() const { return mergeButton_; }
    QLabel* resultGroupLabel() const { return resultGroupLabel_; }
    QLineEdit* resultNameBox() const { return resultNameBox_; }

  signals:
    // A merge wrote its file: both data file lists are refilled.
    void merged();

  private:
    // Runs an operation on the list, then shows the list, its selection and the group label.
    void change(void (JoinList::*operation)());
    void show();
    void merge();

    AppContext& context_;
    JoinList list_;
    QListWidget* listWidget_;
    QPushButton* topButton_;
    QPushButton* upButton_;
    QPushButton* downButton_;
    QPushButton* bottomButton_;
    QPushButton* removeButton_;
    QPushButton* clearButton_;
    QLabel* resultGroupLabel_;
    QLineEdit* resultNameBox_;
    QPushButton* mergeButton_;
};

}  // namespace kestrune
