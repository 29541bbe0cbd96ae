#pragma once

#include "ui/common/TextGridModel.h"

namespace kestrune {

// The correlation matrix grid on screen: value cells whose text is a number are drawn
// right-aligned on the top line, bold above 0.8, red below 0 and bold red below -0.8, by the
// one emphasis rule the exports use; other cells keep the grid's own left-aligned look.
class CorrelationGridModel : public TextGridModel {
    Q_OBJECT
  public:
    using TextGridModel::TextGridModel;

  protected:
    QVariant cellStyle(int column, int row, int role) const override;
};

}  // namespace kestrune
