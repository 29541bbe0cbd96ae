#pragma once

#include <string>

#include "analysis/CorrelationMatrix.h"
#include "core/SexGroup.h"

namespace kestrune::cli {

// A sex group as the analysis commands take it: "male", "female", "mix" or a chooser label.
TSexGroup sexGroupArgument(const std::string& text);

// A correlation side: "physical" or "images:GROUP:FILE".
CorrelationSide correlationSideArgument(const std::string& text);

// A series or data file name: one plain name on the study disk (isPlainDiskName), else the
// same UserError the application shows for such a typed name.
const std::string& diskNameArgument(const std::string& text);

// A positive whole number argument.
int positiveNumberArgument(const std::string& option, const std::string& text);

}  // namespace kestrune::cli
