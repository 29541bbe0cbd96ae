#pragma once

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
    Output(int descriptor, Buffering buffering) : descriptor_(descriptor), buffering_(buffering) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    Output& operator<<(std::string_view text);
    Output& operator<<(char c) { return *this << std::string_view(&c, 1); }
    // Writes what is held; a write that fails (a closed pipe) is dropped, as the streams did.
    void flush();

  private:
    int descriptor_;
    Buffering buffering_;
    std::string pending_;
};

// One line from standard input without its line end; none at the end of the input.
bool readInputLine(std::string& line);

}  // namespace kestrune::cli
