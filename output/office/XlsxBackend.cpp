#include "output/office/XlsxBackend.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "core/Error.h"
#include "core/Numbers.h"
#include "output/office/NumberFormats.h"
#include "output/office/OfficeConstants.h"
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

using FormatKey = std::tuple<std::string, bool, bool, uint8_t, uint8_t>;

class FileFormats {
  public:
    explicit FileFormats(lxw_workbook* workbook) : workbook_(workbook) {}

    lxw_format* of(const XlsxBackend::Cell& cell) {
        const FormatKey key{cell.numberFormat, cell.bold, cell.vertical, borderStyle(cell.top),
                            borderStyle(cell.bottom)};
        if (key == FormatKey{})
            return nullptr;
        auto found = formats_.find(key);
        if (found != formats_.end())
            return found->second;
        lxw_format* format = workbook_add_format(workbook_);
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

void writeSheet(lxw_worksheet* out, const XlsxBackend::Sheet& sheet, FileFormats& formats) {
    std::map<int, double> rowHeights;
    for (const auto& [position, cell] : sheet.cells) {
        const auto row = static_cast<lxw_row_t>(position.first - 1);
        const auto column = static_cast<lxw_col_t>(position.second - 1);
        lxw_format* format = formats.of(cell);
        const std::optional<double> value = parseReal(cell.text);
        if (cell.text.empty()) {
            if (format)
                worksheet_write_blank(out, row, column, format);
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
}

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
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

std::string XlsxBackend::xlsxBytes(int number) const {
    const Book& b = book(number);
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-xlsx-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw UserError(messages::cannotCreate(pattern));
    const std::filesystem::path directory = pattern;
    const std::filesystem::path file = directory / "book.xlsx";
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.tmpdir = pattern.data();
    lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
    FileFormats formats(workbook);
    for (std::size_t i = 0; i < b.sheets.size(); ++i) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, b.sheets[i].name.c_str());
        if (!sheet) {
            workbook_close(workbook);
            std::filesystem::remove_all(directory);
            throw UserError(messages::cannotCreate(b.sheets[i].name));
        }
        writeSheet(sheet, b.sheets[i], formats);
        if (static_cast<int>(i) == b.active)
            worksheet_activate(sheet);
    }
    const lxw_error error = workbook_close(workbook);
    std::string bytes = error == LXW_NO_ERROR ? readWhole(file) : std::string();
    std::filesystem::remove_all(directory);
    if (bytes.empty())
        throw UserError(messages::cannotCreate(file.filename().string()));
    return bytes;
}

}  // namespace kestrune::office
