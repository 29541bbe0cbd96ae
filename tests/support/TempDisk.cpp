#include "tests/support/TempDisk.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/Cp932.h"
#include "core/Series.h"
#include "core/TextLines.h"

namespace kestrune::testing {

TempDisk::TempDisk() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    root_ = pattern;
}

TempDisk::~TempDisk() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
}

std::filesystem::path TempDisk::path(std::string_view relative) const { return root_ / pathFromUtf8(relative); }

void TempDisk::writeBytes(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path file = path(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file " + file.string());
}

void TempDisk::writeLines(std::string_view relative, const std::vector<std::string>& lines) const {
    writeBytes(relative, encodeCp932(joinLinesCrlf(lines)));
}

void TempDisk::makeDirectory(std::string_view relative) const { std::filesystem::create_directories(path(relative)); }

void TempDisk::makeSeries(const std::string& name, int panels, const std::vector<std::string>& words) const {
    for (const char* dir : {"order", "paper", "male", "female", "mix", "physical"}) makeDirectory(dir);
    for (const char* group : {"male/", "female/", "mix/", "physical/"}) makeDirectory(group + name);
    std::vector<PairTexts> rows;
    for (int a = 1; a <= panels; ++a) {
        for (int b = a + 1; b <= panels; ++b) rows.push_back({std::to_string(a), std::to_string(b)});
    }
    const StudyDisk study(root_);
    WriteOrderFile(study, name, std::to_string(panels), std::to_string(rows.size()), rows);
    WriteVocabularyFile(study, name, words);
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kestrune::testing
