#pragma once

#include <QWidget>

#include "ui/shell/CataloguePage.h"

class QComboBox;

namespace kestrune {

struct AppContext;

// The correlation diagram page "相関図" with its own series chooser.
class CorrelationDiagramPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    explicit CorrelationDiagramPage(AppContext& context, QWidget* parent = nullptr);

    QComboBox* seriesChooser() override { return seriesChooser_; }
    void setUpPage() override;

  private:
    AppContext& context_;
    QComboBox* seriesChooser_;
};

}  // namespace kestrune
