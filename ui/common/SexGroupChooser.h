#pragma once

#include <QComboBox>

#include <string_view>

#include "core/SexGroup.h"

namespace kestrune {

class StudyDisk;

// A drop-down list of the three groups "男性", "女性", "混合", the first chosen.
class SexGroupChooser : public QComboBox {
    Q_OBJECT
  public:
    explicit SexGroupChooser(QWidget* parent = nullptr);
    TSexGroup group() const { return sexGroupFromIndex(currentIndex()); }
    // When the chosen group holds no data file of the series, chooses the first group that
    // does, quietly (no change signal); true when the choice changed.
    bool chooseGroupWithData(const StudyDisk& disk, std::string_view series);
};

}  // namespace kestrune
