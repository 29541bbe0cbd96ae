#include "analysis/JoinList.h"

#include <utility>

namespace kestrune {

void JoinList::select(std::optional<std::size_t> index) {
    selected_ = (index && *index < entries_.size()) ? index : std::nullopt;
}

void JoinList::add(const std::vector<JoinEntry>& chosen) {
    for (const JoinEntry& entry : chosen) {
        if (entries_.empty() || entry.series == entries_.front().series)
            entries_.push_back(entry);
    }
}

void JoinList::moveTop() {
    if (!selected_)
        return;
    for (std::size_t i = *selected_; i > 0; --i)
        std::swap(entries_[i], entries_[i - 1]);
    selected_ = 0;
}

void JoinList::moveUp() {
    if (!selected_ || *selected_ == 0)
        return;
    std::swap(entries_[*selected_], entries_[*selected_ - 1]);
    --*selected_;
}

void JoinList::moveDown() {
    if (!selected_ || *selected_ + 1 >= entries_.size())
        return;
    std::swap(entries_[*selected_], entries_[*selected_ + 1]);
    ++*selected_;
}

void JoinList::moveBottom() {
    if (!selected_)
        return;
    for (std::size_t i = *selected_; i + 1 < entries_.size(); ++i)
        std::swap(entries_[i], entries_[i + 1]);
    selected_ = entries_.size() - 1;
}

void JoinList::removeSelected() {
    if (!selected_)
        return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*selected_));
    if (entries_.empty()) {
        selected_.reset();
    } else if (*selected_ >= entries_.size()) {
        selected_ = entries_.size() - 1;
    }
}

void JoinList::clear() {
    entries_.clear();
    selected_.reset();
}

std::string JoinList::resultGroupLabel() const {
    if (entries_.empty())
        return {};
    const TSexGroup first = entries_.front().group;
    if (first == TSexGroup::Mix)
        return std::string(sexGroupChooserLabel(TSexGroup::Mix));
    for (const JoinEntry& entry : entries_) {
        if (entry.group != first)
            return std::string(sexGroupChooserLabel(TSexGroup::Mix));
    }
    return std::string(sexGroupChooserLabel(first));
}

std::filesystem::path JoinList::pathOf(const StudyDisk& disk, const JoinEntry& entry) {
    return disk.dataPath(entry.group, entry.series, entry.file);
}

TSexGroup resultGroupOfLabel(std::string_view label) {
    if (label == sexGroupChooserLabel(TSexGroup::Male))
        return TSexGroup::Male;
    if (label == sexGroupChooserLabel(TSexGroup::Female))
        return TSexGroup::Female;
    return TSexGroup::Mix;
}

}  // namespace kestrune
