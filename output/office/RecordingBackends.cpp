#include "output/office/RecordingBackends.h"

#include <cstdio>

#include "core/Error.h"

namespace kestrune::office {
namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}
std::string boolean(bool value) {
    return value ? "True" : "False";
}
std::string number(int value) {
    return std::to_string(value);
}

// Points with at most two decimals, without trailing zeros.
std::string points(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string bookText(int book) {
    return "Book" + number(book);
}

std::string sheetText(int book, const SheetRef& sheet) {
    switch (sheet.via) {
        case SheetRef::Via::ActiveSheet:
            return bookText(book) + ".ActiveSheet";
        case SheetRef::Via::WorkSheets:
            return bookText(book) + ".WorkSheets(" + number(sheet.index) + ")";
        case SheetRef::Via::Sheets:
            return bookText(book) + ".Sheets(" + number(sheet.index) + ")";
        case SheetRef::Via::SheetsItem:
            return bookText(book) + ".Sheets.Item(" + number(sheet.index) + ")";
    }
    return {};
}

std::string cellsText(int row, int column) {
    return "Cells(" + number(row) + "," + number(column) + ")";
}

std::string rangeText(int book, const RangeRef& range) {
    std::string text = sheetText(book, range.sheet) + ".";
    switch (range.kind) {
        case RangeRef::Kind::Cell:
            text += cellsText(range.firstRow, range.firstColumn);
            break;
        case RangeRef::Kind::Cells:
            text += "Range(" + cellsText(range.firstRow, range.firstColumn) + "," +
                    cellsText(range.lastRow, range.lastColumn) + ")";
            break;
        case RangeRef::Kind::Columns:
            text +=
                "Range(Columns(" + number(range.firstColumn) + "),Columns(" + number(range.lastColumn) + "))";
            break;
    }
    if (range.entireColumn)
        text += ".EntireColumn";
    return text;
}

std::string tableText(int table) {
    return "Table" + number(table);
}

std::string docRangeText(const DocRangeRef& range) {
    if (range.kind == DocRangeRef::Kind::TableCell) {
        return tableText(range.table) + ".Cell(" + number(range.row) + "," + number(range.column) + ").Range";
    }
    return "Doc" + number(range.document) + ".Range(" + number(range.start) + "," + number(range.end) + ")";
}

std::string bordersText(const BorderOwnerRef& owner, int border) {
    std::string text = tableText(owner.table);
    if (owner.kind == BorderOwnerRef::Kind::Row)
        text += ".Rows.Item(" + number(owner.index) + ")";
    else if (owner.kind == BorderOwnerRef::Kind::Column)
        text += ".Columns.Item(" + number(owner.index) + ")";
    return text + ".Borders.item(" + number(border) + ")";
}

const char* measureName(PageMeasure measure) {
    switch (measure) {
        case PageMeasure::PageWidth:
            return "PageWidth";
        case PageMeasure::LeftMargin:
            return "LeftMargin";
        case PageMeasure::RightMargin:
            return "RightMargin";
        case PageMeasure::TopMargin:
            return "TopMargin";
    }
    return "";
}

const char* shapeMemberName(ShapeMember member) {
    switch (member) {
        case ShapeMember::Width:
            return "Width";
        case ShapeMember::Left:
            return "Left";
        case ShapeMember::Top:
            return "Top";
        case ShapeMember::RelativeHorizontalPosition:
            return "RelativeHorizontalPosition";
        case ShapeMember::RelativeVerticalPosition:
            return "RelativeVerticalPosition";
    }
    return "";
}

}  // namespace

void CallLog::failOn(std::string fragment, std::string message) {
    failFragment_ = std::move(fragment);
    failMessage_ = std::move(message);
}

void CallLog::record(std::string line) {
    if (!failFragment_.empty() && line.find(failFragment_) != std::string::npos) {
        failFragment_.clear();
        calls_.push_back(line + " !! " + failMessage_);
        throw UserError(failMessage_);
    }
    calls_.push_back(std::move(line));
}

// Spreadsheet.

void RecordingSpreadsheet::createObject(const std::string& className) {
    record("CreateObject(" + quoted(className) + ").Application");
    if (inner_)
        inner_->createObject(className);
}

void RecordingSpreadsheet::setVisible(bool visible) {
    record("Application.Visible := " + boolean(visible));
    if (inner_)
        inner_->setVisible(visible);
}

void RecordingSpreadsheet::setScreenUpdating(bool updating) {
    record("Application.ScreenUpdating := " + boolean(updating));
    if (inner_)
        inner_->setScreenUpdating(updating);
}

int RecordingSpreadsheet::addWorkbook() {
    const int book = inner_ ? inner_->addWorkbook() : ++books_;
    record("WorkBooks.Add -> " + bookText(book));
    return book;
}

void RecordingSpreadsheet::activate(int book, const SheetRef& sheet) {
    record(sheetText(book, sheet) + ".Activate");
    if (inner_)
        inner_->activate(book, sheet);
}

void RecordingSpreadsheet::addSheets(int book, const SheetRef& before, int count, int type) {
    record(bookText(book) + ".Sheets.Add(Before:=" + sheetText(book, before) + ", Count:=" + number(count) +
           ", Type:=" + number(type) + ")");
    if (inner_)
        inner_->addSheets(book, before, count, type);
}

void RecordingSpreadsheet::setSheetName(int book, const SheetRef& sheet, const std::string& name) {
    record(sheetText(book, sheet) + ".Name := " + quoted(name));
    if (inner_)
        inner_->setSheetName(book, sheet, name);
}

void RecordingSpreadsheet::setPageOrientation(int book, const SheetRef& sheet, int orientation) {
    record(sheetText(book, sheet) + ".PageSetup.Orientation := " + number(orientation));
    if (inner_)
        inner_->setPageOrientation(book, sheet, orientation);
}

void RecordingSpreadsheet::setCenterHeader(int book, const SheetRef& sheet, const std::string& header) {
    record(sheetText(book, sheet) + ".PageSetup.CenterHeader := " + quoted(header));
    if (inner_)
        inner_->setCenterHeader(book, sheet, header);
}

void RecordingSpreadsheet::setValue(int book, const RangeRef& range, const std::string& text) {
    record(rangeText(book, range) + ".Value := " + quoted(text));
    if (inner_)
        inner_->setValue(book, range, text);
}

void RecordingSpreadsheet::setNumberFormatLocal(int book, const RangeRef& range, const std::string& format) {
    record(rangeText(book, range) + ".NumberFormatLocal := " + quoted(format));
    if (inner_)
        inner_->setNumberFormatLocal(book, range, format);
}

void RecordingSpreadsheet::setBold(int book, const RangeRef& range, bool bold) {
    record(rangeText(book, range) + ".Font.Bold := " + boolean(bold));
    if (inner_)
        inner_->setBold(book, range, bold);
}

void RecordingSpreadsheet::setOrientation(int book, const RangeRef& range, int orientation) {
    record(rangeText(book, range) + ".Orientation := " + number(orientation));
    if (inner_)
        inner_->setOrientation(book, range, orientation);
}

void RecordingSpreadsheet::autoFit(int book, const RangeRef& range) {
    record(rangeText(book, range) + ".AutoFit");
    if (inner_)
        inner_->autoFit(book, range);
}

void RecordingSpreadsheet::setBorderLineStyle(int book, const RangeRef& range, int border, int lineStyle) {
    record(rangeText(book, range) + ".Borders(" + number(border) + ").LineStyle := " + number(lineStyle));
    if (inner_)
        inner_->setBorderLineStyle(book, range, border, lineStyle);
}

void RecordingSpreadsheet::setBorderWeight(int book, const RangeRef& range, int border, int weight) {
    record(rangeText(book, range) + ".Borders(" + number(border) + ").Weight := " + number(weight));
    if (inner_)
        inner_->setBorderWeight(book, range, border, weight);
}

// Word processor.

void RecordingWord::createObject(const std::string& className) {
    record("CreateObject(" + quoted(className) + ").Application");
    if (inner_)
        inner_->createObject(className);
}

void RecordingWord::setVisible(bool visible) {
    record("Application.Visible := " + boolean(visible));
    if (inner_)
        inner_->setVisible(visible);
}

void RecordingWord::setScreenUpdating(bool updating) {
    record("Application.ScreenUpdating := " + boolean(updating));
    if (inner_)
        inner_->setScreenUpdating(updating);
}

int RecordingWord::addDocument() {
    active_ = inner_ ? inner_->addDocument() : ++documents_;
    record("Documents.Add -> Doc" + number(active_));
    return active_;
}

int RecordingWord::activeDocument() {
    return inner_ ? inner_->activeDocument() : active_;
}

void RecordingWord::setPageOrientation(int document, int orientation) {
    record("Doc" + number(document) + ".PageSetup.Orientation := " + number(orientation));
    if (inner_)
        inner_->setPageOrientation(document, orientation);
}

double RecordingWord::pageMeasure(int document, PageMeasure measure) {
    const double value = inner_ ? inner_->pageMeasure(document, measure) : 0.0;
    record(std::string("ActiveDocument.PageSetup.") + measureName(measure) + " -> " + points(value));
    return value;
}

int RecordingWord::addTable(const DocRangeRef& at, int rows, int columns) {
    const int table = inner_ ? inner_->addTable(at, rows, columns) : ++tables_;
    record("Doc" + number(at.document) + ".Tables.Add(" + docRangeText(at) + ", " + number(rows) + ", " +
           number(columns) + ") -> " + tableText(table));
    return table;
}

void RecordingWord::insertAfter(const DocRangeRef& range, const std::string& text) {
    record(docRangeText(range) + ".InsertAfter(" + quoted(text) + ")");
    if (inner_)
        inner_->insertAfter(range, text);
}

void RecordingWord::setBold(const DocRangeRef& range, bool bold) {
    record(docRangeText(range) + ".Bold := " + boolean(bold));
    if (inner_)
        inner_->setBold(range, bold);
}

void RecordingWord::setColorIndex(const DocRangeRef& range, int colorIndex) {
    record(docRangeText(range) + ".Font.ColorIndex := " + number(colorIndex));
    if (inner_)
        inner_->setColorIndex(range, colorIndex);
}

void RecordingWord::setTextOrientation(const DocRangeRef& range, int orientation) {
    record(docRangeText(range) + ".Orientation := " + number(orientation));
    if (inner_)
        inner_->setTextOrientation(range, orientation);
}

int RecordingWord::rangeStart(const DocRangeRef& range) {
    const int value = inner_ ? inner_->rangeStart(range) : 0;
    record(docRangeText(range) + ".Start -> " + number(value));
    return value;
}

int RecordingWord::rangeEnd(const DocRangeRef& range) {
    const int value = inner_ ? inner_->rangeEnd(range) : 0;
    record(docRangeText(range) + ".End -> " + number(value));
    return value;
}

void RecordingWord::select(const DocRangeRef& range) {
    record(docRangeText(range) + ".Select");
    if (inner_)
        inner_->select(range);
}

void RecordingWord::setBorderLineStyle(const BorderOwnerRef& owner, int border, int lineStyle) {
    record(bordersText(owner, border) + ".LineStyle := " + number(lineStyle));
    if (inner_)
        inner_->setBorderLineStyle(owner, border, lineStyle);
}

void RecordingWord::setBorderLineWidth(const BorderOwnerRef& owner, int border, int lineWidth) {
    record(bordersText(owner, border) + ".LineWidth := " + number(lineWidth));
    if (inner_)
        inner_->setBorderLineWidth(owner, border, lineWidth);
}

void RecordingWord::selectColumn() {
    record("selection.selectcolumn");
    if (inner_)
        inner_->selectColumn();
}

void RecordingWord::autoFitSelectedCells() {
    record("Selection.Cells.AutoFit");
    if (inner_)
        inner_->autoFitSelectedCells();
}

void RecordingWord::paste() {
    record("Selection.Paste");
    if (inner_)
        inner_->paste();
}

void RecordingWord::setShapeRange(ShapeMember member, double value) {
    const bool relative =
        member == ShapeMember::RelativeHorizontalPosition || member == ShapeMember::RelativeVerticalPosition;
    record(std::string("Selection.ShapeRange.") + shapeMemberName(member) +
           " := " + (relative ? number(static_cast<int>(value)) : points(value)));
    if (inner_)
        inner_->setShapeRange(member, value);
}

}  // namespace kestrune::office
