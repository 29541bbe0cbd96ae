// The response data file reader and the functions the entry run applies to what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Error.h"
#include "core/Response.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    const auto path =
        scratch.write("male/s/f.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        const TResponseMatrix matrix = ReadResponseFile(path);
        if (matrix.answers.size() != matrix.answerCount())
            __builtin_trap();
        if (const auto gap = FirstUnanswered(matrix))
            sheetOfAnswer(matrix, *gap);
        SubjectCountText(path);
        // Writing it back must give a file the reader takes again (to a second name).
        const auto copy = scratch.path("male/s/copy.dat");
        WriteResponseFile(copy, matrix, matrix.subjects);
        if (ReadResponseFile(copy).answers != matrix.answers)
            __builtin_trap();
    } catch (const UserError&) {
    }
    return 0;
}
