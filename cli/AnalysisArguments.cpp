#include "cli/AnalysisArguments.h"

#include <charconv>

#include "cli/Command.h"
#include "core/DiskNames.h"

namespace kestrune::cli {

TSexGroup sexGroupArgument(const std::string& text) {
    const std::optional<TSexGroup> group = parseSexGroup(text);
    if (!group)
        throw UsageError("unknown group " + text + " (male, female or mix)");
    return *group;
}

CorrelationSide correlationSideArgument(const std::string& text) {
    if (text == "physical")
        return {CorrelationKind::Physical, TSexGroup::Male, {}};
    const std::string prefix = "images:";
    const std::size_t second = text.find(':', prefix.size());
    if (text.rfind(prefix, 0) != 0 || second == std::string::npos || second + 1 == text.size()) {
        throw UsageError("a side is images:GROUP:FILE or physical, not " + text);
    }
    return {CorrelationKind::Images, sexGroupArgument(text.substr(prefix.size(), second - prefix.size())),
            diskNameArgument(text.substr(second + 1))};
}

const std::string& diskNameArgument(const std::string& text) {
    requirePlainDiskName(text);
    return text;
}

int positiveNumberArgument(const std::string& option, const std::string& text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 1) {
        throw UsageError(option + " needs a whole number from 1, not " + text);
    }
    return value;
}

}  // namespace kestrune::cli
