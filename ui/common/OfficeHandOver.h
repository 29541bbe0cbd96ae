#pragma once

#include <QString>
#include <filesystem>
#include <functional>

#include "output/office/OfficeFiles.h"
#include "output/office/OfficeLauncher.h"

namespace kestrune {

class Prompter;

// The last step of every "Excel97" and "Word97" press: the workbook or document made by the
// export opens in the office suite as a new untitled document, without waiting for it. When
// no suite can take it, the message names what is missing and offers to save the file with
// a save dialog, so that nothing made is lost. A step of the export that failed is shown
// first; what it made before the failure is handed over all the same.
class OfficeHandOver {
  public:
    using Launcher = std::function<office::LaunchResult(const std::filesystem::path&)>;

    explicit OfficeHandOver(Prompter& prompter, Launcher launcher = office::openInOfficeSuite);

    void handOver(const office::OfficeFile& file);

  private:
    void offerToSave(const office::OfficeFile& file, const QString& failure);

    Prompter& prompter_;
    Launcher launcher_;
};

}  // namespace kestrune
