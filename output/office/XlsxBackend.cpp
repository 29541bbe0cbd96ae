#include "output/office/XlsxBackend.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/StudyDisk.h"
#include "output/office/NumberFormats.h"
#include "output/office/OfficeConstants.h"
#include "output/office/OfficeLauncher.h"
#include "output/office/SheetNames.h"
#include "output/office/TextWidth.h"

namespace kestrune::office {
namespace {

constexpr int kA4Paper = 9;
constexpr double kStackedLineHeight = 15.0;  // points per character of vertical text
constexpr double kMaxRowHeight = 409.0;
constexpr double kColumnPadding = 1.0;  // character widths around the widest text

std::vector<std::string> namesExcept(const XlsxBackend::Book& book, const XlsxBackend::Sheet* except) {
    std::vector<std::string> names;
    for (const XlsxBackend::Sheet& sheet : book.sheets) {
        if (&sheet != except)
            names.push_back(sheet.name);
    }
    return names;
}

std::string newSheetName(const XlsxBackend::Book& book) {
    const std::vector<std::string> names = namesExcept(book, nullptr);
    for (int n = 1;; ++n) {
        const std::string name = "Sheet" + std::to_string(n);
        if (validSheetName(name, names) == name)
            return name;
    }
}

// What a cell shows, for its column's width.
std::string shownText(const XlsxBackend::Cell& cell) {
    const std::optional<double> value = parseReal(cell.text);
    if (value && !cell.numberFormat.empty())
        return displayedNumber(*value, cell.numberFormat);
    return cell.text;
}

uint8_t borderStyle(const XlsxBackend::Edge& edge) {
    if (edge.lineStyle == 0 || edge.lineStyle == xlLineStyleNone)
        return LXW_BORDER_NONE;
    switch (edge.weight) {
        case xlHairline:
            return LXW_BORDER_HAIR;
        case xlMedium:
            return LXW_BORDER_MEDIUM;
        case xlThick:
            return LXW_BORDER_THICK;
        default:
            return LXW_BORDER_THIN;
    }
}

// The face of every cell and of the Normal style, which column widths are measured in: a
// Japanese Gothic the package depends on (fonts-ipafont-gothic), whose half-width characters are
// exactly half of its full-width ones, so the computed widths hold wherever it is installed.
constexpr const char* kSheetFont = "IPAGothic";

// The error values a table shows, written as formulas that give them, so that the spreadsheet
// treats them as its own errors (and shows them as such before recalculating).
const char* errorFormula(const std::string& text) {
    static const std::pair<const char*, const char*> kErrors[] = {
        {"#DIV/0!", "=1/0"},   {"#NUM!", "=SQRT(-1)"}, {"#N/A", "=NA()"},    {"#VALUE!", "=\"a\"+1"},
        {"#NAME?", "=#NAME?"}, {"#REF!", "=#REF!"},    {"#NULL!", "=#NULL!"}};
    for (const auto& [shown, formula] : kErrors) {
        if (text == shown)
            return formula;
    }
    return nullptr;
}

enum class Alignment : uint8_t { General, Centre };

using FormatKey = std::tuple<std::string, bool, bool, uint8_t, uint8_t, Alignment>;

class FileFormats {
  public:
    explicit FileFormats(lxw_workbook* workbook) : workbook_(workbook) {
        // The first format is the workbook's Normal style.
        if (lxw_format* normal = STAILQ_FIRST(workbook->formats))
            format_set_font_name(normal, kSheetFont);
    }

    lxw_format* of(const XlsxBackend::Cell& cell, Alignment alignment) {
        const FormatKey key{cell.numberFormat,        cell.bold, cell.vertical, borderStyle(cell.top),
                            borderStyle(cell.bottom), alignment};
        if (key == FormatKey{})
            return nullptr;
        auto found = formats_.find(key);
        if (found != formats_.end())
            return found->second;
        lxw_format* format = workbook_add_format(workbook_);
        format_set_font_name(format, kSheetFont);
        if (alignment == Alignment::Centre)
            format_set_align(format, LXW_ALIGN_CENTER);
        if (!cell.numberFormat.empty())
            format_set_num_format(format, storedNumberFormat(cell.numberFormat).c_str());
        if (cell.bold)
            format_set_bold(format);
        if (cell.vertical)
            format_set_rotation(format, 270);  // stacked, one character under the other
        format_set_top(format, std::get<3>(key));
        format_set_bottom(format, std::get<4>(key));
        formats_.emplace(key, format);
        return format;
    }

  private:
    lxw_workbook* workbook_;
    std::map<FormatKey, lxw_format*> formats_;
};

// The leading columns that label the rows (no number below the first row), at most two: the
// print titles at the left of every printed page.
int labelColumns(const XlsxBackend::Sheet& sheet) {
    int labels = 0;
    for (int column = 1; column <= 2; ++column) {
        bool hasText = false;
        for (const auto& [position, cell] : sheet.cells) {
            if (position.second != column || position.first == 1 || cell.text.empty())
                continue;
            if (parseReal(cell.text) || errorFormula(cell.text))
                return labels;
            hasText = true;
        }
        if (!hasText)
            return labels;
        labels = column;
    }
    return labels;
}

void writeSheet(lxw_worksheet* out, const XlsxBackend::Sheet& sheet, FileFormats& formats) {
    std::map<int, double> rowHeights;
    int lastRow = 0;
    int lastColumn = 0;
    for (const auto& [position, cell] : sheet.cells) {
        const auto row = static_cast<lxw_row_t>(position.first - 1);
        const auto column = static_cast<lxw_col_t>(position.second - 1);
        if (!cell.text.empty()) {
            lastRow = std::max(lastRow, position.first);
            lastColumn = std::max(lastColumn, position.second);
        }
        // The heading row centred, so that a number heading ("5") and a text one ("平均") beside
        // it do not run together; error values centred as the spreadsheet shows its own.
        const char* error = errorFormula(cell.text);
        lxw_format* format =
            formats.of(cell, position.first == 1 || error ? Alignment::Centre : Alignment::General);
        const std::optional<double> value = parseReal(cell.text);
        if (cell.text.empty()) {
            if (format)
                worksheet_write_blank(out, row, column, format);
        } else if (error) {
            worksheet_write_formula_str(out, row, column, error, format, cell.text.c_str());
        } else if (value) {
            worksheet_write_number(out, row, column, *value, format);
        } else {
            worksheet_write_string(out, row, column, cell.text.c_str(), format);
        }
        if (cell.vertical && !cell.text.empty()) {
            const double height =
                std::min(kMaxRowHeight, kStackedLineHeight * characterCount(shownText(cell)));
            rowHeights[position.first] = std::max(rowHeights[position.first], height);
        }
    }
    for (const auto& [row, height] : rowHeights)
        worksheet_set_row(out, static_cast<lxw_row_t>(row - 1), height, nullptr);
    for (const auto& [column, width] : sheet.columnWidths) {
        const auto index = static_cast<lxw_col_t>(column - 1);
        worksheet_set_column(out, index, index, width, nullptr);
    }
    worksheet_set_paper(out, kA4Paper);
    if (sheet.orientation == xlLandscape)
        worksheet_set_landscape(out);
    else
        worksheet_set_portrait(out);
    if (!sheet.centerHeader.empty())
        worksheet_set_header(out, ("&C" + sheet.centerHeader).c_str());
    // A table never loses a column to another page: as many pages tall as it needs, one wide, and
    // the heading row and the row labels on every page.
    if (lastRow > 1 && lastColumn > 1) {
        worksheet_fit_to_pages(out, 1, 0);
        worksheet_repeat_rows(out, 0, 0);
        if (const int labels = labelColumns(sheet); labels > 0)
            worksheet_repeat_columns(out, 0, static_cast<lxw_col_t>(labels - 1));
    }
}

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in.bad() ? std::string() : bytes.str();
}

// The workbook's scratch file, removed when it goes out of scope on every path. The name
// carries the marker of interrupted writes, so that a sweep finds one a crash left behind.
class ScratchFile {
  public:
    explicit ScratchFile(const std::filesystem::path& directory) {
        static unsigned counter = 0;
        path_ = directory / (".kestrune-tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
                             "-" + std::to_string(std::random_device()() % 1000000) + ".xlsx");
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// libxlsxwriter reports its failures in English on standard error; ours are reported instead.
class QuietStandardError {
  public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            dup2(null, STDERR_FILENO);
        if (null >= 0)
            close(null);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_ = -1;
};

// Why the workbook could not be made, in the user's words.
std::string workbookFailure(const std::filesystem::path& directory, int error) {
    return "Excel ブックを作成できません。" + writeFailureReason(error, directory);
}

}  // namespace

void XlsxBackend::createObject(const std::string& className) {
    if (className != kSpreadsheetClass)
        throw UserError("オブジェクト " + className + " を作成できません");
}

int XlsxBackend::addWorkbook() {
    Book book;
    book.sheets.push_back({});
    book.sheets.back().name = "Sheet1";
    books_.push_back(std::move(book));
    return static_cast<int>(books_.size());
}

XlsxBackend::Book& XlsxBackend::bookAt(int number) {
    if (number < 1 || number > static_cast<int>(books_.size()))
        throw UserError(messages::listIndexOutOfRange());
    return books_[static_cast<std::size_t>(number - 1)];
}

XlsxBackend::Sheet& XlsxBackend::sheetAt(int book, const SheetRef& sheet) {
    Book& b = bookAt(book);
    const int index = sheet.via == SheetRef::Via::ActiveSheet ? b.active : sheet.index - 1;
    if (index < 0 || index >= static_cast<int>(b.sheets.size()))
        throw UserError(messages::listIndexOutOfRange());
    return b.sheets[static_cast<std::size_t>(index)];
}

void XlsxBackend::activate(int book, const SheetRef& sheet) {
    Book& b = bookAt(book);
    b.active = static_cast<int>(&sheetAt(book, sheet) - b.sheets.data());
}

void XlsxBackend::addSheets(int book, const SheetRef& before, int count, int type) {
    if (type != xlWorksheet)
        throw UserError(messages::listIndexOutOfRange());
    Book& b = bookAt(book);
    int at = static_cast<int>(&sheetAt(book, before) - b.sheets.data());
    for (int n = 0; n < count; ++n) {
        Sheet sheet;
        sheet.name = newSheetName(b);
        b.sheets.insert(b.sheets.begin() + at, std::move(sheet));
    }
    b.active = at;
}

void XlsxBackend::setSheetName(int book, const SheetRef& sheet, const std::string& name) {
    Sheet& s = sheetAt(book, sheet);
    s.name = validSheetName(name, namesExcept(bookAt(book), &s));
}

void XlsxBackend::setPageOrientation(int book, const SheetRef& sheet, int orientation) {
    sheetAt(book, sheet).orientation = orientation;
}

void XlsxBackend::setCenterHeader(int book, const SheetRef& sheet, const std::string& header) {
    sheetAt(book, sheet).centerHeader = header;
}

template <class Change>
void XlsxBackend::forEachCell(int book, const RangeRef& range, Change change) {
    Sheet& sheet = sheetAt(book, range.sheet);
    if (range.kind == RangeRef::Kind::Columns) {
        for (auto& [position, cell] : sheet.cells) {
            if (position.second >= range.firstColumn && position.second <= range.lastColumn)
                change(position.first, position.second, cell);
        }
        return;
    }
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
            change(row, column, sheet.cells[{row, column}]);
    }
}

void XlsxBackend::setValue(int book, const RangeRef& range, const std::string& text) {
    forEachCell(book, range, [&text](int, int, Cell& cell) { cell.text = text; });
}

void XlsxBackend::setNumberFormatLocal(int book, const RangeRef& range, const std::string& format) {
    forEachCell(book, range, [&format](int, int, Cell& cell) { cell.numberFormat = format; });
}

void XlsxBackend::setBold(int book, const RangeRef& range, bool bold) {
    forEachCell(book, range, [bold](int, int, Cell& cell) { cell.bold = bold; });
}

void XlsxBackend::setOrientation(int book, const RangeRef& range, int orientation) {
    forEachCell(book, range,
                [orientation](int, int, Cell& cell) { cell.vertical = orientation == xlVertical; });
}

void XlsxBackend::autoFit(int book, const RangeRef& range) {
    Sheet& sheet = sheetAt(book, range.sheet);
    std::map<int, int> widest;
    for (const auto& [position, cell] : sheet.cells) {
        const int column = position.second;
        if (column < range.firstColumn || column > range.lastColumn || cell.text.empty())
            continue;
        const std::string shown = shownText(cell);
        const int width = cell.vertical ? widestCharacter(shown) : displayWidth(shown);
        widest[column] = std::max(widest[column], width);
    }
    for (const auto& [column, width] : widest)
        sheet.columnWidths[column] = width + kColumnPadding;
}

void XlsxBackend::setBorderLineStyle(int book, const RangeRef& range, int border, int lineStyle) {
    const int lastRow = range.lastRow;
    const int firstRow = range.firstRow;
    forEachCell(book, range, [&](int row, int, Cell& cell) {
        if (border == xlEdgeTop && row == firstRow)
            cell.top.lineStyle = lineStyle;
        if (border == xlEdgeBottom && row == lastRow)
            cell.bottom.lineStyle = lineStyle;
    });
}

void XlsxBackend::setBorderWeight(int book, const RangeRef& range, int border, int weight) {
    const int lastRow = range.lastRow;
    const int firstRow = range.firstRow;
    // A weight given to an edge without a line draws a continuous one, as the spreadsheet does.
    const auto weigh = [weight](Edge& edge) {
        edge.weight = weight;
        if (edge.lineStyle == 0 || edge.lineStyle == xlLineStyleNone)
            edge.lineStyle = xlContinuous;
    };
    forEachCell(book, range, [&](int row, int, Cell& cell) {
        if (border == xlEdgeTop && row == firstRow)
            weigh(cell.top);
        if (border == xlEdgeBottom && row == lastRow)
            weigh(cell.bottom);
    });
}

std::string XlsxBackend::xlsxBytes(int number, const std::filesystem::path& directory) const {
    const Book& b = book(number);
    const std::filesystem::path folder = directory.empty() ? handOverDirectory() : directory;
    const ScratchFile file(folder);
    std::string scratchFolder = pathToUtf8(folder);
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    // Its working files are unlinked as soon as they are made: nothing of them outlives the export.
    options.tmpdir = scratchFolder.data();
    const QuietStandardError quiet;
    errno = 0;
    lxw_workbook* workbook = workbook_new_opt(file.path().c_str(), &options);
    if (!workbook)
        throw UserError(workbookFailure(folder, errno));
    FileFormats formats(workbook);
    for (std::size_t i = 0; i < b.sheets.size(); ++i) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, b.sheets[i].name.c_str());
        if (!sheet) {
            workbook_close(workbook);
            throw UserError(messages::cannotCreate(b.sheets[i].name));
        }
        writeSheet(sheet, b.sheets[i], formats);
        if (static_cast<int>(i) == b.active)
            worksheet_activate(sheet);
    }
    errno = 0;
    const lxw_error error = workbook_close(workbook);
    const int closeErrno = errno;
    std::string bytes = error == LXW_NO_ERROR ? readWhole(file.path()) : std::string();
    if (bytes.empty())
        throw UserError(workbookFailure(folder, error == LXW_NO_ERROR ? EIO : closeErrno));
    return bytes;
}

}  // namespace kestrune::office
