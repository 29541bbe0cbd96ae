#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrune::cli {

// Standard output or standard error of the batch program, written with the system's own calls.
// The C++ streams are not used: setting them and their locale up costs a process more than the
// work of most commands. Standard output is written in blocks and at the end, standard error at
// once, as the streams did.
class Output {
  public:
    enum class Buffering { Blocks, None };
    // `visible`: control characters are written visibly (\x1b), for what a terminal shows.
    Output(int descriptor, Buffering buffering, bool visible = false)
        : descriptor_(descriptor), buffering_(buffering), visible_(visible) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    Output& operator<<(std::string_view text);
    Output& operator<<(char c) { return *this << std::string_view(&c, 1); }
    // Writes what is held. A write that fails (a full disk, /dev/full) is remembered: the
    // program then ends with status 1 rather than report success with its output lost.
    void flush();
    bool failed() const { return failed_; }
    int failure() const { return failure_; }  // the errno of the first failed write

  private:
    int descriptor_;
    Buffering buffering_;
    bool visible_;
    std::string pending_;
    bool failed_ = false;
    int failure_ = 0;
};

// What the user reads when standard output could not be written (errno of the failure).
std::string outputLostMessage(int error);

// Whether the study disk's root is an existing folder; if not, says so on `err`.
bool studyDiskExists(const std::filesystem::path& root, Output& err);

// One line from standard input without its line end; none at the end of the input.
bool readInputLine(std::string& line);

}  // namespace kestrune::cli
