#pragma once

#include <QString>
#include <filesystem>
#include <functional>

#include "output/office/OfficeFiles.h"
#include "output/office/OfficeLauncher.h"

namespace kestrune {

class Prompter;
struct AppContext;

// The last step of every "Excel97" and "Word97" press: the workbook or document made by the
// export opens in the office suite as a new untitled document, without waiting for it. When
// no suite can take it, the message names what is missing and offers to save the file with
// a save dialog, so that nothing made is lost. A step of the export that failed is shown
// first; what it made before the failure is handed over all the same.
class OfficeHandOver {
  public:
    using Launcher = office::Launcher;

    explicit OfficeHandOver(Prompter& prompter, Launcher launcher = office::openInOfficeSuite);

    void handOver(const office::OfficeFile& file);
    // Makes the file of an "Excel97" or "Word97" press and hands it over; an export that
    // throws shows its message and hands nothing over.
    static void run(AppContext& context, const std::function<office::OfficeFile()>& makeFile);

  private:
    void offerToSave(const office::OfficeFile& file, const QString& failure);

    Prompter& prompter_;
    Launcher launcher_;
};

}  // namespace kestrune
