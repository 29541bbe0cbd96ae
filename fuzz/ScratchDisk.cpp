#include "fuzz/ScratchDisk.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace kestrune::fuzz {

ScratchDisk::ScratchDisk() {
    // In memory where the host has it: a disk file system makes each rewrite of an input cost
    // milliseconds (a truncated file is flushed on close), which is most of a run's time.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "kestrune-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    root_ = pattern;
}

ScratchDisk::~ScratchDisk() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path ScratchDisk::path(std::string_view relative) const {
    return root_ / pathFromUtf8(relative);
}

std::filesystem::path ScratchDisk::write(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path file = path(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::perror("scratch disk write");
        std::abort();
    }
    return file;
}

ScratchDisk& scratchDisk() {
    static ScratchDisk disk;
    return disk;
}

void requireNoNonFiniteText(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos) {
        std::fprintf(stderr, "a result shows a non-finite number: %.*s\n", static_cast<int>(text.size()),
                     text.data());
        std::abort();
    }
}

}  // namespace kestrune::fuzz
