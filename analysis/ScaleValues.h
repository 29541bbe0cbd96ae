#pragma once

#include <vector>

#include "analysis/WinCounts.h"

namespace kestrune {

// The scale values of one data file: for panel k and image m (1-based) the 100-point score
// T, the standard deviation SD and the standardised score Z, and per image the mean standard
// deviation SDbar. SD and Z exist only with two or more subjects; Z also needs SDbar > 0.
class ScaleValues {
  public:
    ScaleValues(int panels, int images, int subjects);

    int panels() const { return panels_; }
    int images() const { return images_; }
    int subjects() const { return subjects_; }

    double score(int panel, int image) const { return score_[index(panel, image)]; }
    double deviation(int panel, int image) const { return deviation_[index(panel, image)]; }
    double standardised(int panel, int image) const { return standardised_[index(panel, image)]; }
    double meanDeviation(int image) const { return meanDeviation_.at(image - 1); }

    bool hasDeviation() const { return subjects_ >= 2; }
    bool hasStandardised(int image) const { return hasDeviation() && meanDeviation(image) > 0; }

  private:
    friend ScaleValues computeScaleValues(const WinCountTable& wins, int panelCount);
    std::size_t index(int panel, int image) const;

    int panels_;
    int images_;
    int subjects_;
    std::vector<double> score_;
    std::vector<double> deviation_;
    std::vector<double> standardised_;
    std::vector<double> meanDeviation_;
};

// T = S / (N - 1) / D × 100; SD = sqrt((D·Q - S²) / D / (D - 1)) / (N - 1) × 100 with D·Q - S²
// formed exactly in integers; SDbar = ΣSD / N; Z = (T - 50) / SDbar. Needs N ≥ 2, D ≥ 1.
ScaleValues computeScaleValues(const WinCountTable& wins, int panelCount);

}  // namespace kestrune
