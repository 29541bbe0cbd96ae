#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

namespace kestrune {

// A file opened for reading with the system's own calls. The readers of the study disk use it
// rather than the C++ streams, so that the batch program never sets the streams and their locale
// up: that costs a process more than reading a 100-subject data file.
class InputFile {
  public:
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // Reads `size` bytes into `into`, fewer only where the file ends; none if reading fails.
    std::optional<std::size_t> read(char* into, std::size_t size);
    // Back to the first byte; false if that fails.
    bool rewind();

  private:
    int descriptor_ = -1;
};

}  // namespace kestrune
