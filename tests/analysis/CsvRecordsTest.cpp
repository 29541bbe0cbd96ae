// The CSV reader against a plain reference reader of the same rules: random files of plain
// lines, quoted fields with line ends and quotes in them, every kind of line end, Japanese
// text, blank lines, a byte order mark and faults, large enough to cross the reader's buffer
// many times and in every way. Plain lines take a fast way through the reader and everything
// else a careful one; both must give the same records, lines and messages.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/CsvRecords.h"
#include "core/Utf8Check.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::TempDisk;
using kestrune::testing::userErrorOf;

namespace {

struct Record {
    std::size_t line = 0;
    std::vector<std::string> fields;
    bool operator==(const Record&) const = default;
};

struct Reading {
    std::vector<Record> records;
    std::string error;  // the message's text after the line, empty when the file was read
    std::size_t errorLine = 0;
};

constexpr std::string_view kNotUtf8 =
    "UTF-8 の文字として正しくないバイトがあります(CSV は UTF-8 で保存してください)。";
constexpr std::string_view kOpenQuote = "引用符(\")が閉じられないままファイルが終わっています。";
constexpr std::string_view kAfterQuote = "閉じた引用符(\")の後に区切りのコンマがありません。";

// The rules, byte by byte over the whole text.
Reading readByReference(const std::string& text) {
    Reading reading;
    std::size_t i = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    std::size_t line = 1;
    const auto fail = [&](std::size_t at, std::string_view what) {
        reading.errorLine = at;
        reading.error = what;
        return reading;
    };
    // A line end at i (CR LF, LF or CR) is passed over and counted.
    const auto passLineEnd = [&] {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        ++i;
        ++line;
    };
    while (i < text.size()) {
        Record record{line, {}};
        std::string field;
        std::string joined;  // the fields one after the other, for the line of a bad byte
        std::vector<std::size_t> lineEndsAt;
        enum { Start, Plain, Quoted, AfterQuote } state = Start;
        const auto keep = [&](char c) {
            field += c;
            joined += c;
        };
        // The field ends at the comma or line end at i; true when the record ends with it.
        const auto endField = [&](char c) {
            record.fields.push_back(field);
            field.clear();
            state = Start;
            if (c == ',') {
                ++i;
                return false;
            }
            passLineEnd();
            return true;
        };
        for (bool ended = false; !ended;) {
            if (i == text.size()) {
                if (state == Quoted)
                    return fail(record.line, kOpenQuote);
                record.fields.push_back(field);
                break;
            }
            const char c = text[i];
            switch (state) {
                case Start:
                    if (c == '"') {
                        state = Quoted;
                        ++i;
                        continue;
                    }
                    state = Plain;
                    [[fallthrough]];
                case Plain:
                    if (c == ',' || c == '\n' || c == '\r') {
                        ended = endField(c);
                    } else {
                        keep(c);
                        ++i;
                    }
                    continue;
                case Quoted:
                    if (c == '"') {
                        state = AfterQuote;
                    } else {
                        if (c == '\r' || (c == '\n' && text[i - 1] != '\r')) {
                            ++line;
                            lineEndsAt.push_back(joined.size());
                        }
                        keep(c);
                    }
                    ++i;
                    continue;
                case AfterQuote:
                    if (c == '"') {
                        keep('"');
                        state = Quoted;
                        ++i;
                    } else if (c == ',' || c == '\n' || c == '\r') {
                        ended = endField(c);
                    } else {
                        return fail(line, kAfterQuote);
                    }
                    continue;
            }
        }
        // Each field by itself: a character may not run over a comma.
        std::size_t offset = 0;
        for (const std::string& f : record.fields) {
            const std::size_t bad = firstInvalidUtf8(f);
            if (bad != f.size()) {
                std::size_t badLine = record.line;
                for (std::size_t end : lineEndsAt)
                    badLine += end <= offset + bad ? 1 : 0;
                return fail(badLine, kNotUtf8);
            }
            offset += f.size();
        }
        reading.records.push_back(record);
    }
    return reading;
}

Reading readByCsvRecords(const TempDisk& disk, const std::string& text) {
    disk.writeBytes("in.csv", text);
    Reading reading;
    const std::string message = userErrorOf([&] {
        CsvRecords records(disk.path("in.csv"), "in.csv");
        while (records.next()) {
            Record record{records.line(), {}};
            for (std::size_t f = 0; f < records.fieldCount(); ++f)
                record.fields.emplace_back(records.field(f));
            reading.records.push_back(record);
        }
    });
    if (message != "(no error)") {
        const std::string start = "CSV ファイル in.csv の ";
        EXPECT_EQ(message.rfind(start, 0), 0u) << message;
        const std::size_t lineEnd = message.find(" 行目: ");
        reading.errorLine = std::stoul(message.substr(start.size(), lineEnd - start.size()));
        reading.error = message.substr(lineEnd + std::string(" 行目: ").size());
    }
    return reading;
}

// A random file: mostly rows as the export writes them, with the other things files hold mixed
// in; `faults` lets a row now and then carry a bad byte, an open quote or text after a quote.
std::string randomCsv(std::mt19937& random, std::size_t bytes, bool faults) {
    const std::vector<std::string> plainFields{"大", "male", "全員", "1",          "12", "イメージ3",
                                               "",   "0",    "a b",  "好き🙂", "x"};
    const std::vector<std::string> quotedFields{
        "\"a,b\"",  "\"言う\"\"こと\"\"\"", "\"二\n行\"", "\"三\r\n行\r目\"", "\"\"",
        "\"\"\"\"", "\"長い\n\n空行\""};
    const std::vector<std::string> lineEnds{"\n", "\r\n", "\r"};
    std::string text = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
    // About one fault in a file of faults.
    const std::size_t faultChance = bytes / 30;
    while (text.size() < bytes) {
        const int kind = static_cast<int>(random() % 100);
        std::string row;
        if (kind < 2) {
            row = "";  // a blank line
        } else if (kind < 3 && random() % 300 == 0) {
            // A field long enough to reach past the reader's buffer.
            row = std::string(40000 + random() % 60000, 'w') + ",長い";
        } else {
            // Now and then a row wider than the room the reader starts with.
            const int fields = 1 + static_cast<int>(random() % (kind == 50 ? 300 : 12));
            for (int f = 0; f < fields; ++f) {
                if (f > 0)
                    row += ',';
                row += kind < 20 ? quotedFields[random() % quotedFields.size()]
                                 : plainFields[random() % plainFields.size()];
            }
        }
        if (faults && random() % faultChance == 0 && !row.empty()) {
            const std::vector<std::string> bad{"\xE5\xA4", "\xFF", "\xED\xA0\x80", "\"open", "\"closed\"x"};
            row.insert(random() % row.size(), bad[random() % bad.size()]);
        }
        text += row;
        // Plain LF mostly, as the export writes; the others in runs.
        text += kind % 7 == 0 ? lineEnds[random() % lineEnds.size()] : std::string("\n");
    }
    if (random() % 3 == 0)
        text.pop_back();  // the last line without its end, or cut after its CR
    return text;
}

}  // namespace

TEST(CsvRecords, SplitsEveryFileAsTheReferenceReaderDoes) {
    TempDisk disk;
    std::mt19937 random(91209);
    int failedFiles = 0;
    std::size_t records = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string text = randomCsv(random, 20000 + random() % 400000, round % 2 == 1);
        const Reading expected = readByReference(text);
        const Reading read = readByCsvRecords(disk, text);
        ASSERT_EQ(read.error, expected.error);
        ASSERT_EQ(read.errorLine, expected.errorLine);
        if (expected.error.empty()) {
            ASSERT_EQ(read.records.size(), expected.records.size());
            for (std::size_t r = 0; r < read.records.size(); ++r)
                ASSERT_EQ(read.records[r], expected.records[r]) << "record " << r;
        }
        failedFiles += !expected.error.empty();
        records += expected.records.size();
    }
    // Both kinds of file were tried, and many records.
    EXPECT_GT(failedFiles, 5);
    EXPECT_LT(failedFiles, 30);
    EXPECT_GT(records, 50000u);
}
