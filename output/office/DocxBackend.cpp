#include "output/office/DocxBackend.h"

#include <algorithm>
#include <tuple>

#include "core/Error.h"
#include "output/office/DocxLayout.h"
#include "output/office/OfficeConstants.h"
#include "output/office/TextWidth.h"

namespace kestrune::office {
namespace {

constexpr int kBorderKinds = 8;  // indexes -1 … -8

void outOfRange() {
    throw UserError(messages::listIndexOutOfRange());
}

}  // namespace

DocxBackend::Cell& DocxBackend::TableData::cell(int row, int column) {
    if (row < 1 || row > rows || column < 1 || column > columns)
        outOfRange();
    return cells[static_cast<std::size_t>((row - 1) * columns + (column - 1))];
}

const DocxBackend::Cell& DocxBackend::TableData::cell(int row, int column) const {
    return const_cast<TableData*>(this)->cell(row, column);
}

void DocxBackend::createObject(const std::string& className) {
    if (className != kWordProcessorClass)
        throw UserError("オブジェクト " + className + " を作成できません");
}

int DocxBackend::addDocument() {
    documents_.emplace_back();
    active_ = static_cast<int>(documents_.size());
    return active_;
}

DocxBackend::DocumentData& DocxBackend::documentAt(int number) {
    if (number < 1 || number > static_cast<int>(documents_.size()))
        outOfRange();
    return documents_[static_cast<std::size_t>(number - 1)];
}

DocxBackend::TableData& DocxBackend::tableAt(int number) {
    if (number < 1 || number > static_cast<int>(tables_.size()))
        outOfRange();
    return tables_[static_cast<std::size_t>(number - 1)];
}

void DocxBackend::setPageOrientation(int document, int orientation) {
    documentAt(document).orientation = orientation;
}

double DocxBackend::pageMeasure(int document, PageMeasure measure) {
    const bool landscape = documentAt(document).orientation == wdOrientLandscape;
    switch (measure) {
        case PageMeasure::PageWidth:
            return docx::pageWidth(landscape) / 20.0;
        case PageMeasure::LeftMargin:
        case PageMeasure::RightMargin:
            return docx::kSideMargin / 20.0;
        case PageMeasure::TopMargin:
            return docx::kTopMargin / 20.0;
    }
    return 0;
}

// A new table goes to the start of the document, where the exports ask for it.
int DocxBackend::addTable(const DocRangeRef& at, int rows, int columns) {
    DocumentData& doc = documentAt(at.document);
    if (rows < 1 || columns < 1)
        outOfRange();
    TableData table;
    table.document = at.document;
    table.rows = rows;
    table.columns = columns;
    table.cells.resize(static_cast<std::size_t>(rows * columns));
    table.borders.assign(kBorderKinds, Border{wdLineStyleSingle, wdLineWidth050pt});
    table.borders[static_cast<std::size_t>(-wdBorderDiagonalDown - 1)].lineStyle = wdLineStyleNone;
    table.borders[static_cast<std::size_t>(-wdBorderDiagonalUp - 1)].lineStyle = wdLineStyleNone;
    tables_.push_back(std::move(table));
    const int number = static_cast<int>(tables_.size());
    doc.tables.insert(doc.tables.begin(), number);
    return number;
}

// Positions [start, end) of the cells' ranges, in document order: each cell's text and its
// end-of-cell mark; each row ends with a mark of its own. Tables stand at the start of the
// document, newest first.
template <class Visit>
void DocxBackend::forEachCellSpan(int document, Visit visit) const {
    int position = 0;
    for (int number : documents_[static_cast<std::size_t>(document - 1)].tables) {
        const TableData& table = tables_[static_cast<std::size_t>(number - 1)];
        for (int r = 1; r <= table.rows; ++r) {
            for (int c = 1; c <= table.columns; ++c) {
                const int length = characterCount(table.cell(r, c).text) + 1;
                visit(number, r, c, position, position + length);
                position += length;
            }
            position += 1;
        }
    }
}

std::pair<int, int> DocxBackend::cellSpan(int tableNumber, int row, int column) const {
    std::pair<int, int> span{0, 0};
    const TableData& table = tables_[static_cast<std::size_t>(tableNumber - 1)];
    forEachCellSpan(table.document, [&](int number, int r, int c, int start, int end) {
        if (number == tableNumber && r == row && c == column)
            span = {start, end};
    });
    return span;
}

std::vector<std::tuple<int, int, int>> DocxBackend::cellsOf(const DocRangeRef& range) {
    std::vector<std::tuple<int, int, int>> cells;
    if (range.kind == DocRangeRef::Kind::TableCell) {
        tableAt(range.table).cell(range.row, range.column);  // checks the address
        cells.emplace_back(range.table, range.row, range.column);
        return cells;
    }
    documentAt(range.document);
    forEachCellSpan(range.document, [&](int number, int r, int c, int start, int end) {
        const bool inside = range.start == range.end ? (range.start >= start && range.start < end)
                                                     : (start < range.end && range.start < end);
        if (inside)
            cells.emplace_back(number, r, c);
    });
    return cells;
}

void DocxBackend::insertAfter(const DocRangeRef& range, const std::string& text) {
    const auto cells = cellsOf(range);
    if (cells.empty()) {
        documentAt(range.document).text += text;
        return;
    }
    const auto [table, row, column] = cells.back();
    tableAt(table).cell(row, column).text += text;
}

void DocxBackend::setBold(const DocRangeRef& range, bool bold) {
    for (const auto& [table, row, column] : cellsOf(range))
        tableAt(table).cell(row, column).bold = bold;
}

void DocxBackend::setColorIndex(const DocRangeRef& range, int colorIndex) {
    for (const auto& [table, row, column] : cellsOf(range))
        tableAt(table).cell(row, column).colorIndex = colorIndex;
}

void DocxBackend::setTextOrientation(const DocRangeRef& range, int orientation) {
    for (const auto& [table, row, column] : cellsOf(range))
        tableAt(table).cell(row, column).vertical = orientation == wdTextOrientationVertical;
}

int DocxBackend::rangeStart(const DocRangeRef& range) {
    if (range.kind == DocRangeRef::Kind::Positions)
        return range.start;
    tableAt(range.table).cell(range.row, range.column);
    return cellSpan(range.table, range.row, range.column).first;
}

int DocxBackend::rangeEnd(const DocRangeRef& range) {
    if (range.kind == DocRangeRef::Kind::Positions)
        return range.end;
    tableAt(range.table).cell(range.row, range.column);
    return cellSpan(range.table, range.row, range.column).second;
}

void DocxBackend::select(const DocRangeRef& range) {
    const int number =
        range.kind == DocRangeRef::Kind::Positions ? range.document : tableAt(range.table).document;
    DocumentData& doc = documentAt(number);
    doc.selectedCells.clear();
    doc.pictureSelected = false;
    doc.selectedTable = 0;
    for (const auto& [table, row, column] : cellsOf(range)) {
        doc.selectedTable = table;  // a selection across tables keeps the last one's cells
        doc.selectedCells.emplace(row, column);
    }
    active_ = number;
}

std::vector<DocxBackend::Border*> DocxBackend::ownedEdges(const BorderOwnerRef& owner, int border) {
    TableData& table = tableAt(owner.table);
    if (border < -kBorderKinds || border > -1)
        outOfRange();
    std::vector<Border*> edges;
    if (owner.kind == BorderOwnerRef::Kind::Table) {
        edges.push_back(&table.borders[static_cast<std::size_t>(-border - 1)]);
        return edges;
    }
    const bool row = owner.kind == BorderOwnerRef::Kind::Row;
    if (owner.index < 1 || owner.index > (row ? table.rows : table.columns))
        outOfRange();
    const int count = row ? table.columns : table.rows;
    for (int k = 1; k <= count; ++k) {
        Cell& cell = row ? table.cell(owner.index, k) : table.cell(k, owner.index);
        const bool first = k == 1;
        const bool last = k == count;
        switch (border) {
            case wdBorderTop:
                if (row || first)
                    edges.push_back(&cell.top);
                break;
            case wdBorderBottom:
                if (row || last)
                    edges.push_back(&cell.bottom);
                break;
            case wdBorderLeft:
                if (!row || first)
                    edges.push_back(&cell.left);
                break;
            case wdBorderRight:
                if (!row || last)
                    edges.push_back(&cell.right);
                break;
            default:
                break;  // inner and diagonal lines of one row or column are the table's
        }
    }
    return edges;
}

void DocxBackend::setBorderLineStyle(const BorderOwnerRef& owner, int border, int lineStyle) {
    for (Border* edge : ownedEdges(owner, border))
        edge->lineStyle = lineStyle;
}

void DocxBackend::setBorderLineWidth(const BorderOwnerRef& owner, int border, int lineWidth) {
    for (Border* edge : ownedEdges(owner, border)) {
        edge->lineWidth = lineWidth;
        if (edge->lineStyle <= wdLineStyleNone)
            edge->lineStyle = wdLineStyleSingle;
    }
}

void DocxBackend::selectColumn() {
    DocumentData& doc = documentAt(active_);
    if (doc.selectedTable == 0)
        return;
    const TableData& table = tableAt(doc.selectedTable);
    std::set<int> columns;
    for (const auto& [row, column] : doc.selectedCells)
        columns.insert(column);
    for (int column : columns) {
        for (int row = 1; row <= table.rows; ++row)
            doc.selectedCells.emplace(row, column);
    }
}

void DocxBackend::autoFitSelectedCells() {
    DocumentData& doc = documentAt(active_);
    if (doc.selectedTable == 0)
        return;
    TableData& table = tableAt(doc.selectedTable);
    for (const auto& [row, column] : doc.selectedCells)
        table.autoFitColumns.insert(column);
}

void DocxBackend::paste() {
    DocumentData& doc = documentAt(active_);
    if (!clipboard_ || !clipboard_->holdsPicture())
        throw UserError("クリップボードに図がありません。");
    PictureData picture;
    picture.metafile = clipboard_->enhancedMetafile();
    picture.width = picture.height = docx::kPictureNaturalPoints;
    doc.picture = std::move(picture);
    doc.selectedCells.clear();
    doc.selectedTable = 0;
    doc.pictureSelected = true;
}

void DocxBackend::setShapeRange(ShapeMember member, double value) {
    DocumentData& doc = documentAt(active_);
    if (!doc.pictureSelected || !doc.picture)
        throw UserError("図が選択されていません。");
    PictureData& picture = *doc.picture;
    switch (member) {
        case ShapeMember::Width:
            // The aspect ratio of a pasted picture is locked.
            picture.height = picture.width > 0 ? picture.height * value / picture.width : value;
            picture.width = value;
            break;
        case ShapeMember::Left:
            picture.floating = true;
            picture.left = value;
            break;
        case ShapeMember::Top:
            picture.floating = true;
            picture.top = value;
            break;
        case ShapeMember::RelativeHorizontalPosition:
            picture.floating = true;
            picture.relativeHorizontal = static_cast<int>(value);
            break;
        case ShapeMember::RelativeVerticalPosition:
            picture.floating = true;
            picture.relativeVertical = static_cast<int>(value);
            break;
    }
}

}  // namespace kestrune::office
