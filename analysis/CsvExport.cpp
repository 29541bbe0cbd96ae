#include "analysis/CsvExport.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/CsvRecords.h"
#include "core/Error.h"
#include "core/FreshMemory.h"
#include "core/Response.h"

namespace kestrune {

namespace {

std::string decimal(long long value) {
    return std::to_string(value);
}

// The answers of a file that belongs to the series: its counts the series' own, every value
// one the file format knows.
TResponseMatrix readMatching(const std::filesystem::path& path, const TSeries& series) {
    TResponseMatrix matrix = ReadResponseFile(path);
    const int images = static_cast<int>(series.images.size());
    if (matrix.pairs != series.pairCount || matrix.images != images) {
        throw UserError("データファイル " + shownPath(path) + " の比較回数 " + decimal(matrix.pairs) +
                        "、イメージの数 " + decimal(matrix.images) + " がシリーズ " + series.name +
                        " の比較回数 " + decimal(series.pairCount) + "、イメージの数 " + decimal(images) +
                        " と合いません。");
    }
    for (std::size_t k = 0; k < matrix.answers.size(); ++k) {
        const std::int32_t answer = matrix.answers[k];
        if (answer != kUnanswered && answer != kChoseA && answer != kChoseB) {
            throw UserError("データファイル " + shownPath(path) + " の " +
                            decimal(static_cast<long long>(k) + 2) + " 行目の値 " + decimal(answer) +
                            " は -1、0、1 のいずれでもありません。");
        }
    }
    return matrix;
}

std::string field(std::string_view text) {
    std::string out;
    appendCsvField(out, text);
    return out;
}

// Appends to a block sized beforehand, without the checks of a string's growth.
class Writer {
  public:
    explicit Writer(char* at) : at_(at) {}
    void put(std::string_view text) {
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    char* at() const { return at_; }

  private:
    char* at_;
};

void appendLongLayout(std::string& out, const TSeries& series, TSexGroup group, std::string_view file,
                      const TResponseMatrix& matrix, std::string_view lineEnd) {
    // Everything but the subject and the answer is the same for many rows: made once.
    const std::string prefix =
        field(series.name) + "," + std::string(sexGroupDirectory(group)) + "," + field(file) + ",";
    std::vector<std::string> trials;
    std::vector<std::string> answers;  // per trial: A chosen, B chosen, unanswered
    std::size_t longestTrial = 0;
    for (int p = 1; p <= matrix.pairs; ++p) {
        const TPanelPair& pair = series.pairs[p - 1];
        trials.push_back("," + decimal(p) + "," + decimal(pair.a) + "," + decimal(pair.b) + ",");
        answers.push_back("0," + decimal(pair.a));
        answers.push_back("1," + decimal(pair.b));
        answers.push_back(",");
        longestTrial = std::max({longestTrial, trials.back().size(), answers[answers.size() - 3].size(),
                                 answers[answers.size() - 2].size()});
    }
    std::vector<std::string> images;
    std::size_t longestImage = 0;
    for (int i = 1; i <= matrix.images; ++i) {
        images.push_back(decimal(i) + "," + field(series.images[i - 1]) + ",");
        longestImage = std::max(longestImage, images.back().size());
    }
    const std::string header = std::string(kLongCsvHeader) + std::string(lineEnd);
    // The 5 MB of a 100-subject file in one block the kernel backs at once.
    const std::size_t longestRow =
        prefix.size() + decimal(matrix.subjects).size() + 2 * longestTrial + longestImage + lineEnd.size();
    const std::size_t start = out.size();
    const std::size_t room = header.size() + matrix.answerCount() * longestRow;
    out.reserve(start + room);
    populateForWriting(out.data() + start, room);
    out.resize(start + room);
    Writer writer(out.data() + start);
    writer.put(header);
    const std::int32_t* answer = matrix.answers.data();
    for (int s = 1; s <= matrix.subjects; ++s) {
        const std::string subject = decimal(s);
        for (int p = 0; p < matrix.pairs; ++p) {
            const std::string* answerTexts = &answers[3 * static_cast<std::size_t>(p)];
            for (int i = 0; i < matrix.images; ++i, ++answer) {
                writer.put(prefix);
                writer.put(subject);
                writer.put(trials[p]);
                writer.put(images[i]);
                writer.put(answerTexts[*answer == kChoseA ? 0 : *answer == kChoseB ? 1 : 2]);
                writer.put(lineEnd);
            }
        }
    }
    out.resize(static_cast<std::size_t>(writer.at() - out.data()));
}

// For every unordered pair of panels in the order 1:2, 1:3, 2:3, 1:4, ... the 0-based trial
// that presents it, or -1 when the order has none.
std::vector<int> paircompColumns(const TSeries& series) {
    const int n = series.panelCount;
    std::vector<int> trialOf(static_cast<std::size_t>(n) * n, -1);
    for (int t = 0; t < series.pairCount; ++t) {
        const TPanelPair& pair = series.pairs[t];
        if (pair.a == pair.b) {
            throw UserError("シリーズ " + series.name + " の " + decimal(t + 1) + " 番目の対はパネル " +
                            decimal(pair.a) + " どうしで、一対比較形式では書き出せません。");
        }
        const int low = std::min(pair.a, pair.b);
        const int high = std::max(pair.a, pair.b);
        int& trial = trialOf[(low - 1) * n + (high - 1)];
        if (trial >= 0) {
            throw UserError("シリーズ " + series.name + " ではパネル " + decimal(low) + " と " +
                            decimal(high) + " の対が " + decimal(trial + 1) + " 番目と " + decimal(t + 1) +
                            " 番目の 2 回出てくるため、一対比較形式では書き出せません。");
        }
        trial = t;
    }
    std::vector<int> columns;
    for (int high = 2; high <= n; ++high) {
        for (int low = 1; low < high; ++low)
            columns.push_back(trialOf[(low - 1) * n + (high - 1)]);
    }
    return columns;
}

void appendPaircompLayout(std::string& out, const TSeries& series, const TResponseMatrix& matrix,
                          std::string_view lineEnd) {
    const std::vector<int> columns = paircompColumns(series);
    out += "subject,image,word";
    for (int high = 2; high <= series.panelCount; ++high) {
        for (int low = 1; low < high; ++low)
            out += "," + decimal(low) + ":" + decimal(high);
    }
    out += lineEnd;
    for (int s = 1; s <= matrix.subjects; ++s) {
        for (int i = 1; i <= matrix.images; ++i) {
            out += decimal(s) + "," + decimal(i) + ",";
            appendCsvField(out, series.images[i - 1]);
            for (const int trial : columns) {
                out += ',';
                if (trial < 0)
                    continue;
                const std::int32_t answer = matrix.at(s, trial + 1, i);
                if (answer == kUnanswered)
                    continue;
                const TPanelPair& pair = series.pairs[trial];
                const int chosen = answer == kChoseA ? pair.a : pair.b;
                out += chosen == std::min(pair.a, pair.b) ? "1" : "-1";
            }
            out += lineEnd;
        }
    }
}

}  // namespace

std::string exportCsv(const StudyDisk& disk, TSexGroup group, std::string_view seriesName,
                      std::string_view file, CsvLayout layout, CsvFlavour flavour) {
    const TSeries series = readSupportedSeries(disk, seriesName);
    const TResponseMatrix matrix = readMatching(disk.dataPath(group, seriesName, file), series);
    const std::string_view lineEnd = flavour == CsvFlavour::Excel ? "\r\n" : "\n";
    std::string text = flavour == CsvFlavour::Excel ? "\xEF\xBB\xBF" : "";
    if (layout == CsvLayout::Long)
        appendLongLayout(text, series, group, file, matrix, lineEnd);
    else
        appendPaircompLayout(text, series, matrix, lineEnd);
    return text;
}

}  // namespace kestrune
