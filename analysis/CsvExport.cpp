#include "analysis/CsvExport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/CsvRecords.h"
#include "core/Error.h"
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

// Pieces one after the other.
std::string joined(std::initializer_list<std::string_view> pieces) {
    std::string out;
    for (std::string_view piece : pieces)
        out += piece;
    return out;
}

std::string field(std::string_view text) {
    std::string out;
    appendCsvField(out, text);
    return out;
}

// Gathers rows in a small buffer and hands it to the sink whenever it fills.
class Chunks {
  public:
    explicit Chunks(const ByteSink& sink) : sink_(sink) { buffer_.reserve(2 * kChunkBytes); }
    std::string& buffer() { return buffer_; }
    // After each row.
    void rowDone() {
        if (buffer_.size() >= kChunkBytes) {
            sink_(buffer_);
            buffer_.clear();
        }
    }
    void finish() {
        if (!buffer_.empty())
            sink_(buffer_);
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kChunkBytes = 1u << 16;
    const ByteSink& sink_;
    std::string buffer_;
};

void longLayout(Chunks& chunks, const TSeries& series, TSexGroup group, std::string_view file,
                const TResponseMatrix& matrix, std::string_view lineEnd) {
    // Everything but the subject and the answer is the same for many rows: made once.
    const std::string prefix =
        field(series.name) + "," + std::string(sexGroupDirectory(group)) + "," + field(file) + ",";
    // The rest of a row after the subject, for every trial, image and answer (A, B, none):
    // a row is then two pieces, the copying of which is most of the work. The pieces lie in one
    // block, which a fresh process fills with a few page faults rather than one per page of
    // thousands of small strings.
    std::string tails;
    std::vector<std::uint32_t> tailStarts{0};
    tailStarts.reserve(static_cast<std::size_t>(matrix.pairs) * matrix.images * 3 + 1);
    for (int p = 1; p <= matrix.pairs; ++p) {
        const TPanelPair& pair = series.pairs[p - 1];
        const std::string trial = joined({",", decimal(p), ",", decimal(pair.a), ",", decimal(pair.b), ","});
        for (int i = 1; i <= matrix.images; ++i) {
            const std::string middle = trial + decimal(i) + "," + field(series.images[i - 1]) + ",";
            for (const std::string& answer :
                 {joined({"0,", decimal(pair.a)}), joined({"1,", decimal(pair.b)}), std::string(",")}) {
                tails += middle;
                tails += answer;
                tails += lineEnd;
                tailStarts.push_back(static_cast<std::uint32_t>(tails.size()));
            }
        }
    }
    const auto tail = [&](std::size_t k) {
        return std::string_view(tails).substr(tailStarts[k], tailStarts[k + 1] - tailStarts[k]);
    };
    std::string& out = chunks.buffer();
    out += kLongCsvHeader;
    out += lineEnd;
    const std::int32_t* answer = matrix.answers.data();
    const std::size_t perSubject = static_cast<std::size_t>(matrix.pairs) * matrix.images;
    for (int s = 1; s <= matrix.subjects; ++s) {
        const std::string head = prefix + decimal(s);
        for (std::size_t k = 0; k < perSubject; ++k, ++answer) {
            out += head;
            out += tail(3 * k + (*answer == kChoseA ? 0 : *answer == kChoseB ? 1 : 2));
            chunks.rowDone();
        }
    }
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

void paircompLayout(Chunks& chunks, const TSeries& series, const TResponseMatrix& matrix,
                    std::string_view lineEnd) {
    const std::vector<int> columns = paircompColumns(series);
    std::string& out = chunks.buffer();
    out += "subject,image,word";
    for (int high = 2; high <= series.panelCount; ++high) {
        for (int low = 1; low < high; ++low)
            out += joined({",", decimal(low), ":", decimal(high)});
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
            chunks.rowDone();
        }
    }
}

}  // namespace

void exportCsv(const StudyDisk& disk, TSexGroup group, std::string_view seriesName, std::string_view file,
               CsvLayout layout, CsvFlavour flavour, const ByteSink& sink) {
    const TSeries series = readSupportedSeries(disk, seriesName);
    const TResponseMatrix matrix = readMatching(disk.dataPath(group, seriesName, file), series);
    const std::string_view lineEnd = flavour == CsvFlavour::Excel ? "\r\n" : "\n";
    Chunks chunks(sink);
    if (flavour == CsvFlavour::Excel)
        chunks.buffer() += "\xEF\xBB\xBF";
    if (layout == CsvLayout::Long)
        longLayout(chunks, series, group, file, matrix, lineEnd);
    else
        paircompLayout(chunks, series, matrix, lineEnd);
    chunks.finish();
}

std::string exportCsv(const StudyDisk& disk, TSexGroup group, std::string_view series, std::string_view file,
                      CsvLayout layout, CsvFlavour flavour) {
    std::string text;
    exportCsv(disk, group, series, file, layout, flavour, [&text](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace kestrune
