#pragma once

#include <QWidget>

#include "ui/shell/CataloguePage.h"

class QComboBox;

namespace kestrune {

struct AppContext;

// The correlation matrix page "相関マトリックス" with its own series chooser.
class CorrelationMatrixPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    explicit CorrelationMatrixPage(AppContext& context, QWidget* parent = nullptr);

    QComboBox* seriesChooser() override { return seriesChooser_; }
    void setUpPage() override;

  private:
    AppContext& context_;
    QComboBox* seriesChooser_;
};

}  // namespace kestrune
