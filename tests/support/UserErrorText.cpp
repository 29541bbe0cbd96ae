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

}  // namespace kestrune::testing
