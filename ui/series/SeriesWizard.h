#pragma once

#include <QDialog>

class QStackedWidget;

namespace kestrune {

struct AppContext;
class WizardImagePage;
class WizardNamePage;
class WizardOrderPage;
class WizardSummaryPage;

// "シリーズ作成ウィザード": four pages (name and panel count, image words, presentation order,
// summary) whose tabs are hidden; "完了" makes the series' directories and writes its order
// and vocabulary files. Created for one use.
class SeriesWizard : public QDialog {
    Q_OBJECT
  public:
    enum Page { NamePage = 0, ImagePage = 1, OrderPage = 2, SummaryPage = 3 };

    SeriesWizard(AppContext& context, const QString& driveText, QWidget* parent = nullptr);

    WizardNamePage* namePage() const { return namePage_; }
    WizardImagePage* imagePage() const { return imagePage_; }
    WizardOrderPage* orderPage() const { return orderPage_; }
    WizardSummaryPage* summaryPage() const { return summaryPage_; }
    int currentPage() const;
    int panelCount() const;

    // The page buttons.
    void nameNext();
    void imageNext();
    void orderNext();
    void back();
    // "キャンセル": asks, and closes without making anything on Yes.
    void cancel();
    // "完了".
    void finish();

    // Escape and the window's close go through "キャンセル".
    void reject() override;

  private:
    void showPage(Page page);
    void panelCountChanged(int panelCount);
    void closeEvent(QCloseEvent* event) override;

    AppContext& context_;
    QStackedWidget* pages_;
    WizardNamePage* namePage_;
    WizardImagePage* imagePage_;
    WizardOrderPage* orderPage_;
    WizardSummaryPage* summaryPage_;
};

}  // namespace kestrune
