#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kestrune {

// Writes a file whole: the bytes go to a temporary file in the target's directory, which is
// flushed, synced and closed, then renamed over the target. Any failure removes the
// temporary file, leaves a previous target byte for byte as it was, and throws UserError
// "ﾌｧｲﾙ %s を作成できません" preceded by the reason (writeFailureReason).
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The same for a file made piece by piece: `produce` hands each piece to the sink it is given,
// which writes it at once, so that a file of megabytes never needs a block its own size. An
// exception from `produce` removes the temporary file and leaves the target as it was.
using ByteSink = std::function<void(std::string_view)>;
void writeFileAtomically(const std::filesystem::path& target,
                         const std::function<void(const ByteSink&)>& produce);

// Why a write into `directory` failed with `error`, in the user's words ("ディスクの空きが足りません。").
std::string writeFailureReason(int error, const std::filesystem::path& directory);

// Temporary files of an interrupted write carry this marker in their names (and start with
// a dot), so that no listing shows them.
bool isTemporaryWriteName(std::string_view fileName);

// Removes leftover temporary files of interrupted writes from a directory; returns how many.
int sweepTemporaryWrites(const std::filesystem::path& directory);

// Fault injection for tests: called before each step of a write ("open", "write", "fsync",
// "close", "rename"); returning a non-zero errno makes that step fail with it.
using WriteFaultHook = std::function<int(std::string_view step)>;
void setWriteFaultHook(WriteFaultHook hook);

}  // namespace kestrune
