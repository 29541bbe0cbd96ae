#include "tests/support/UserErrorText.h"

#include "core/Error.h"

namespace kestrune::testing {

std::string userErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const UserError& error) {
        return error.what();
    }
    return "(no error)";
}

bool textEndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace kestrune::testing
