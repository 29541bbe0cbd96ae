#pragma once

class QComboBox;

namespace kestrune {

// A page with its own series chooser. The catalogue reload fills every chooser, selects the
// first series, and then runs the page set-ups in the fixed order entry, analysis,
// correlation matrix, correlation diagram.
class CataloguePage {
  public:
    virtual ~CataloguePage() = default;
    virtual QComboBox* seriesChooser() = 0;
    // Sets the page up for the series its chooser shows (or an empty page without one).
    virtual void setUpPage() = 0;
};

}  // namespace kestrune
