#pragma once

#include <filesystem>
#include <string_view>

#include "core/StudyDisk.h"

namespace kestrune::fuzz {

// A study disk in a temporary directory that lives for one fuzzing run: the readers take
// paths, so every input is written here as the file they read.
class ScratchDisk {
  public:
    ScratchDisk();
    ~ScratchDisk();
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    StudyDisk disk() const { return StudyDisk(root_); }
    std::filesystem::path path(std::string_view relative) const;
    // Writes bytes as they are (creating the directories).
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;

  private:
    std::filesystem::path root_;
};

// The one scratch disk of this process.
ScratchDisk& scratchDisk();

// Fails the run (abort, which libFuzzer reports with the input) when a result shows a number
// that is not one: "nan" or "inf" in any case.
void requireNoNonFiniteText(std::string_view text);

}  // namespace kestrune::fuzz
