#include "core/SexGroup.h"

namespace kestrune {

namespace {
struct GroupNames {
    std::string_view directory;
    std::string_view chooser;
    std::string_view radio;
};
constexpr GroupNames kNames[] = {{"male", "男性", "男"}, {"female", "女性", "女"}, {"mix", "混合", "混合"}};
}  // namespace

std::string_view sexGroupDirectory(TSexGroup group) {
    return kNames[static_cast<int>(group)].directory;
}
std::string_view sexGroupChooserLabel(TSexGroup group) {
    return kNames[static_cast<int>(group)].chooser;
}
std::string_view sexGroupRadioLabel(TSexGroup group) {
    return kNames[static_cast<int>(group)].radio;
}

TSexGroup sexGroupFromIndex(int index) {
    return index >= 0 && index <= 2 ? static_cast<TSexGroup>(index) : TSexGroup::Male;
}

std::optional<TSexGroup> parseSexGroup(std::string_view text) {
    for (TSexGroup group : kAllSexGroups) {
        const GroupNames& names = kNames[static_cast<int>(group)];
        if (text == names.directory || text == names.chooser || text == names.radio)
            return group;
    }
    return std::nullopt;
}

}  // namespace kestrune
