#pragma once

#include <QComboBox>

#include "core/SexGroup.h"

namespace kestrune {

// A drop-down list of the three groups "男性", "女性", "混合", the first chosen.
class SexGroupChooser : public QComboBox {
    Q_OBJECT
  public:
    explicit SexGroupChooser(QWidget* parent = nullptr);
    TSexGroup group() const { return sexGroupFromIndex(currentIndex()); }
};

}  // namespace kestrune
