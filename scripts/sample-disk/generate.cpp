// Writes the sample study disk with the project's own writers:
//   kestrune-make-sample-disk DIR
// Two series, data files in more than one sex group, physical quantities and a registry.
// The answers come from a fixed pseudo-random sequence, so every run writes the same bytes.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/PhysicalQuantity.h"
#include "core/Response.h"
#include "core/Series.h"
#include "core/TextLines.h"

using namespace kestrune;

namespace {

// A small linear congruential generator: the same sequence on every platform.
class Sequence {
public:
    explicit Sequence(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / 16777216.0;
    }

private:
    std::uint32_t state_;
};

struct SampleSeries {
    std::string name;
    int panels;
    std::vector<PairTexts> order;
    std::vector<std::string> images;
    // Appeal of each panel on each image (rows: images, columns: panels); the larger, the
    // more often a subject prefers that panel.
    std::vector<std::vector<double>> appeal;
};

TResponseMatrix answers(const SampleSeries& series, int subjects, std::uint32_t seed) {
    Sequence random(seed);
    TResponseMatrix matrix{subjects, static_cast<int>(series.order.size()), static_cast<int>(series.images.size()), {}};
    for (int s = 0; s < subjects; ++s) {
        for (const PairTexts& pair : series.order) {
            const int a = std::stoi(pair.a) - 1;
            const int b = std::stoi(pair.b) - 1;
            for (std::size_t i = 0; i < series.images.size(); ++i) {
                const double difference = series.appeal[i][b] - series.appeal[i][a];
                const double chanceB = 1.0 / (1.0 + std::exp(-difference));
                matrix.answers.push_back(random.next() < chanceB ? kChoseB : kChoseA);
            }
        }
    }
    return matrix;
}

// Answers as a web form collects them, for the CSV import: one row per answer with the form's
// own columns beside the ones the import reads, subjects named by their codes, rows in the
// order the form stored them (subject, then image, then pair) and the chosen panel's number.
std::string webFormCsv(const SampleSeries& series, const TResponseMatrix& matrix) {
    std::string csv = "timestamp,subject,image,trial,chosen\n";
    for (int s = 1; s <= matrix.subjects; ++s) {
        const std::string code = "W" + std::to_string(100 + s);
        for (int i = 1; i <= matrix.images; ++i) {
            for (int p = 1; p <= matrix.pairs; ++p) {
                const PairTexts& pair = series.order[p - 1];
                csv += "2026-06-1" + std::to_string(s) + "T10:" + std::to_string(10 + p) + ":00," + code + "," +
                       std::to_string(i) + "," + std::to_string(p) + "," +
                       (matrix.at(s, p, i) == kChoseA ? pair.a : pair.b) + "\n";
            }
        }
    }
    return csv;
}

void makeDirectories(const StudyDisk& disk, const std::string& series) {
    std::filesystem::create_directories(disk.orderDirectory());
    std::filesystem::create_directories(disk.vocabularyDirectory());
    std::filesystem::create_directories(disk.physicalDirectory(series));
    for (TSexGroup group : kAllSexGroups) std::filesystem::create_directories(disk.dataDirectory(group, series));
}

void writeSeries(const StudyDisk& disk, const SampleSeries& series) {
    makeDirectories(disk, series.name);
    WriteOrderFile(disk, series.name, std::to_string(series.panels), std::to_string(series.order.size()), series.order);
    WriteVocabularyFile(disk, series.name, series.images);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: kestrune-make-sample-disk DIR\n";
        return 2;
    }
    try {
        const StudyDisk disk{std::filesystem::path(argv[1])};

        const SampleSeries colours{
            "色彩の印象",
            5,
            {{"1", "2"}, {"3", "4"}, {"5", "1"}, {"2", "3"}, {"4", "5"},
             {"1", "3"}, {"2", "4"}, {"3", "5"}, {"4", "1"}, {"5", "2"}},
            {"明るい", "暖かい", "派手な", "柔らかい", "重い", "落ち着いた", "高級な", "好きな"},
            {{-2.0, -1.0, 0.0, 1.0, 2.0},
             {2.0, 1.2, 0.0, -1.0, -2.2},
             {-1.5, 2.0, 0.5, -0.5, 1.0},
             {-1.0, -0.5, 0.2, 0.6, 1.4},
             {2.0, 1.0, 0.0, -1.0, -2.0},
             {1.2, -1.5, 0.4, 0.6, -0.8},
             {1.5, -0.6, 0.8, -1.2, -0.4},
             {0.2, 0.9, 1.6, -0.4, -1.8}}};
        writeSeries(disk, colours);
        const TResponseMatrix students = answers(colours, 24, 20261208u);
        WriteResponseFile(disk.dataPath(TSexGroup::Mix, colours.name, "大学生2026"), students, students.subjects);
        const TResponseMatrix pilot = answers(colours, 1, 7u);
        WriteResponseFile(disk.dataPath(TSexGroup::Female, colours.name, "予備調査"), pilot, pilot.subjects);
        writeFileAtomically(disk.root() / "回答フォーム.csv", webFormCsv(colours, answers(colours, 3, 2026u)));
        writePhysicalFileFromGrid(disk.physicalPath(colours.name),
                                  {{"物理量", "単位", "1", "2", "3", "4", "5"},
                                   {"明度", "cd/m2", "12.5", "20.1", "31", "45.2", "60.8"},
                                   {"彩度", "", "8.2", "3.1", "5.5", "6.4", "2.0"},
                                   {"反射率", "%", "4.1", "9.8", "17.5", "28.3", "41.0"}});

        const SampleSeries drinks{"飲料の味",
                                  4,
                                  {{"1", "2"}, {"3", "4"}, {"1", "3"}, {"2", "4"}, {"4", "1"}, {"2", "3"}},
                                  {"甘い", "苦い", "すっきりした", "濃い", "好きな"},
                                  {{2.0, 0.5, -0.5, -2.0},
                                   {-2.0, -0.4, 0.6, 1.8},
                                   {-1.2, 1.5, 0.4, -0.7},
                                   {1.0, -1.0, 0.0, 0.8},
                                   {0.6, 1.2, -0.2, -1.5}}};
        writeSeries(disk, drinks);
        const TResponseMatrix panel = answers(drinks, 12, 42u);
        WriteResponseFile(disk.dataPath(TSexGroup::Male, drinks.name, "試飲会"), panel, panel.subjects);
        writePhysicalFileFromGrid(disk.physicalPath(drinks.name), {{"物理量", "単位", "1", "2", "3", "4"},
                                                                   {"糖度", "Brix", "12.0", "8.5", "6.0", "3.2"},
                                                                   {"苦味価", "BU", "5", "14", "22", "35"}});

        writeTextLines(disk.registryPath(),
                       {"; Comments shown beside the series and data files.", "[groups]",
                        "色彩の印象=5色の色見本の印象評価", "飲料の味=試作飲料4種の官能評価", "[files]",
                        "mix\\色彩の印象\\大学生2026=2026年度 学部生24名", "female\\色彩の印象\\予備調査=予備調査 1名",
                        "male\\飲料の味\\試飲会=社内試飲会 12名"});
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
