#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/SexGroup.h"
#include "core/StudyDisk.h"

namespace kestrune {

// One data file of the join list ("結合リスト"), kept by its parts rather than by a drive
// path, so that the group and series of an entry never depend on how the host spells paths.
struct JoinEntry {
    TSexGroup group = TSexGroup::Male;
    std::string series;
    std::string file;  // without ".dat"
    bool operator==(const JoinEntry&) const = default;
};

// The ordered join list of the join sub-page with its selected entry. All entries belong to
// one series; the same file may occur more than once.
class JoinList {
  public:
    const std::vector<JoinEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::optional<std::size_t> selected() const { return selected_; }
    void select(std::optional<std::size_t> index);

    // "データの結合": appends each file of the page's series; once the list holds entries,
    // files of a series other than the first entry's are skipped silently.
    void add(const std::vector<JoinEntry>& chosen);

    // Reordering of the selected entry; nothing happens without a selection.
    void moveTop();
    void moveUp();
    void moveDown();
    void moveBottom();
    // "消去": removes the selected entry and selects the one now at its place (or the new last).
    void removeSelected();
    // "全消去".
    void clear();

    // The label beside "性別" of "生成されるファイル": "男性" when every entry lies in male,
    // "女性" when every entry lies in female, "混合" otherwise; empty for an empty list.
    std::string resultGroupLabel() const;

    // The full path of an entry on a study disk.
    static std::filesystem::path pathOf(const StudyDisk& disk, const JoinEntry& entry);

  private:
    std::vector<JoinEntry> entries_;
    std::optional<std::size_t> selected_;
};

// The group directory the merge writes into for a result group label: "男性" → male,
// "女性" → female, anything else → mix.
TSexGroup resultGroupOfLabel(std::string_view label);

}  // namespace kestrune
