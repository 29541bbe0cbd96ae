#include "cli/Output.h"

#include <unistd.h>

#include <cerrno>

#include "core/Error.h"
#include "core/StudyDisk.h"

namespace kestrune::cli {

namespace {

// The block size of the C library's buffered output: standard output is written once a block has
// gathered, and at the end.
constexpr std::size_t kBlockBytes = 4096;

}  // namespace

Output& Output::operator<<(std::string_view text) {
    if (visible_)
        pending_.append(visibleControls(text));
    else
        pending_.append(text);
    if (buffering_ == Buffering::None || pending_.size() >= kBlockBytes)
        flush();
    return *this;
}

void Output::flush() {
    std::size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t n = ::write(descriptor_, pending_.data() + written, pending_.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (!failed_)
                failure_ = n < 0 ? errno : ENOSPC;
            failed_ = true;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    pending_.clear();
}

std::string outputLostMessage(int error) {
    const char* reason = error == ENOSPC || error == EDQUOT ? "ディスクの空きが足りません"
                         : error == EPIPE                   ? "受け取る側が閉じています"
                         : error == EIO                     ? "装置の読み書きに失敗しました"
                                                            : "書き込みに失敗しました";
    return std::string("標準出力に書き込めませんでした (") + reason +
           ")。出力の一部または全部が失われています。";
}

bool studyDiskExists(const std::filesystem::path& root, Output& err) {
    std::error_code error;
    if (std::filesystem::is_directory(root, error))
        return true;
    err << formatMessage("調査ディスク %s が見つかりません。--root にはフォルダを指定してください。",
                         pathToUtf8(root))
        << '\n';
    return false;
}

bool readInputLine(std::string& line) {
    line.clear();
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return !line.empty();
        if (c == '\n')
            return true;
        line += c;
    }
}

}  // namespace kestrune::cli
