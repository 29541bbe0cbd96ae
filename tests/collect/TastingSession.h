#pragma once

#include "collect/Session.h"
#include "tests/support/TempDisk.h"

namespace kestrune::testing {

// The session every collection test runs: series 味 of 3 panels, pairs (1,2), (1,3), (2,3), two
// image words, answers going to 試飲会.dat of `group`.
inline collect::SessionSettings tastingSession(const TempDisk& disk, TSexGroup group = TSexGroup::Female) {
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    collect::SessionSettings settings;
    settings.disk = disk.disk();
    settings.series = "味";
    settings.group = group;
    settings.file = "試飲会";
    return settings;
}

}  // namespace kestrune::testing
