#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputFile.h"

namespace kestrune {

// CSV as RFC 4180 has it, in UTF-8: fields separated by commas, a field holding a comma, a double
// quote or a line end enclosed in double quotes with its quotes doubled.

// Appends one field, quoted only where it must be.
void appendCsvField(std::string& out, std::string_view field);

// The records of a CSV file read front to back through one small buffer, so that a file of any
// size, or one endless line, never needs a block its own size. Records end at CR LF, LF or CR
// outside quotes; a byte order mark at the start is passed over. Every failure is a UserError
// naming the file and the line (the first line is line 1): a record longer than kMaxRecordBytes,
// bytes that are not UTF-8, a quote left open, text after a closing quote.
class CsvRecords {
  public:
    static constexpr std::size_t kMaxRecordBytes = 1u << 20;
    static constexpr std::size_t kMaxFields = 4096;

    // `shownName` is how messages name the file.
    CsvRecords(const std::filesystem::path& path, std::string shownName);

    // The next record; false at the end of the file. Its fields stay valid until the next call.
    bool next();
    std::size_t fieldCount() const { return fieldCount_; }
    std::string_view field(std::size_t index) const { return fields_[index]; }
    // The line the current record starts on.
    std::size_t line() const { return recordLine_; }
    // A record of one empty field: a blank line.
    bool blank() const { return fieldCount_ == 1 && fields_[0].empty(); }

    const std::string& shownName() const { return shownName_; }
    // "ファイル F の N 行目: " followed by the text, as every reading error starts.
    [[noreturn]] void fail(std::size_t line, std::string_view what) const;

  private:
    bool fill();  // more bytes into the buffer; false at the end of the file
    void endField() {
        if (ends_.size() == kMaxFields)
            tooManyFields();
        ends_.push_back(text_.size());
    }
    [[noreturn]] void tooManyFields() const;
    void checkUtf8() const;  // the current record
    bool nextPlainLine();    // the common record: one line, no quotes, all in the buffer
    bool nextRecord();       // any record, quoted fields and line ends in them included

    std::string shownName_;
    std::optional<InputFile> in_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    std::size_t validUpTo_ = 0;  // the buffer's bytes before this are known to be UTF-8
    bool endOfFile_ = false;
    bool started_ = false;

    std::string text_;               // the current record's fields, unquoted, one after the other
    std::vector<std::size_t> ends_;  // where each field ends in text_
    // The current record's fields: in text_, or in the buffer for a plain line. A plain line
    // is split only while it fits the room there is; a longer record makes more.
    std::vector<std::string_view> fields_;
    std::size_t fieldCount_ = 0;
    std::size_t recordLine_ = 0;
    std::size_t line_ = 1;  // the line the reading is on
};

}  // namespace kestrune
