#include "output/office/SpreadsheetModel.h"

#include "core/Error.h"

namespace kestrune::office {

SheetRange SheetRange::EntireColumn() {
    RangeRef whole = r_;
    whole.entireColumn = true;
    return {*b_, book_, whole};
}

SheetRange Worksheet::Cells(int row, int column) {
    RangeRef cell{s_, RangeRef::Kind::Cell, row, column, row, column, false};
    return {*b_, book_, cell};
}

SheetRange Worksheet::Columns(int column) {
    RangeRef columns{s_, RangeRef::Kind::Columns, 1, column, 1, column, false};
    return {*b_, book_, columns};
}

SheetRange Worksheet::Range(const SheetRange& first, const SheetRange& last) {
    const RangeRef& a = first.ref();
    const RangeRef& z = last.ref();
    const bool columns = a.kind == RangeRef::Kind::Columns;
    if (columns != (z.kind == RangeRef::Kind::Columns))
        throw UserError("範囲の指定が正しくありません。");
    RangeRef span{s_,         columns ? RangeRef::Kind::Columns : RangeRef::Kind::Cells,
                  a.firstRow, a.firstColumn,
                  z.lastRow,  z.lastColumn,
                  false};
    return {*b_, book_, span};
}

}  // namespace kestrune::office
