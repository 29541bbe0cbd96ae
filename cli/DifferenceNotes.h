#pragma once

#include "analysis/statistics/FileDifferences.h"
#include "cli/Command.h"

namespace kestrune::cli {

// Why the win probabilities of some images are "NA", on standard error (scale --model bt --matrix).
void noteWinProbabilityReasons(Invocation& invocation, const statistics::FileDifferences& stats);

}  // namespace kestrune::cli
