#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/StudyDisk.h"

namespace kestrune::testing {

// A temporary directory used as a study disk, removed when the test ends.
class TempDisk {
public:
    TempDisk();
    ~TempDisk();
    TempDisk(const TempDisk&) = delete;
    TempDisk& operator=(const TempDisk&) = delete;

    const std::filesystem::path& root() const { return root_; }
    StudyDisk disk() const { return StudyDisk(root_); }
    std::filesystem::path path(std::string_view relative) const;

    // Writes raw bytes (creating the directories), for files the writers would never make.
    void writeBytes(std::string_view relative, std::string_view bytes) const;
    // Writes UTF-8 lines as a CP932 file with CR LF line ends.
    void writeLines(std::string_view relative, const std::vector<std::string>& lines) const;
    void makeDirectory(std::string_view relative) const;
    // A series' order and vocabulary files and its directories, as the wizard makes them.
    void makeSeries(const std::string& name, int panels, const std::vector<std::string>& words) const;

private:
    std::filesystem::path root_;
};

// The whole content of a file as bytes.
std::string readBytes(const std::filesystem::path& path);

}  // namespace kestrune::testing
