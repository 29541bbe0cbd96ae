#pragma once

#include <string>

namespace kestrune::office {

// The spreadsheet's object model as the exports call it: the members the automation exports
// use, with their names, and nothing else. Every object is a light reference (the application
// and the way the object was reached); each member call goes to a backend that either records
// it or carries it out in a workbook of its own.

// How a sheet was reached. An active-sheet reference means the sheet active when a member of
// it is called, as the exports use it straight away.
struct SheetRef {
    enum class Via { ActiveSheet, WorkSheets, Sheets, SheetsItem };
    Via via = Via::ActiveSheet;
    int index = 0;  // 1-based, for all but ActiveSheet
};

// A range of a sheet: one cell (`Cells(r, c)`), a block of cells (`Range(Cells, Cells)`) or
// whole columns (`Range(Columns, Columns)`, or `Columns(c)`).
struct RangeRef {
    enum class Kind { Cell, Cells, Columns };
    SheetRef sheet;
    Kind kind = Kind::Cell;
    int firstRow = 1, firstColumn = 1, lastRow = 1, lastColumn = 1;  // rows unused for Columns
    bool entireColumn = false;
};

class SpreadsheetBackend {
  public:
    virtual ~SpreadsheetBackend() = default;

    // Creating the automation object by class name; throws UserError when there is none.
    virtual void createObject(const std::string& className) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setScreenUpdating(bool updating) = 0;
    virtual int addWorkbook() = 0;  // the new book's number, from 1

    virtual void activate(int book, const SheetRef& sheet) = 0;
    // Sheets.Add(Before, After omitted, Count, Type): the new sheet becomes the active one.
    virtual void addSheets(int book, const SheetRef& before, int count, int type) = 0;
    virtual void setSheetName(int book, const SheetRef& sheet, const std::string& name) = 0;
    virtual void setPageOrientation(int book, const SheetRef& sheet, int orientation) = 0;
    virtual void setCenterHeader(int book, const SheetRef& sheet, const std::string& header) = 0;

    virtual void setValue(int book, const RangeRef& range, const std::string& text) = 0;
    virtual void setNumberFormatLocal(int book, const RangeRef& range, const std::string& format) = 0;
    virtual void setBold(int book, const RangeRef& range, bool bold) = 0;
    virtual void setOrientation(int book, const RangeRef& range, int orientation) = 0;
    virtual void autoFit(int book, const RangeRef& range) = 0;
    virtual void setBorderLineStyle(int book, const RangeRef& range, int border, int lineStyle) = 0;
    virtual void setBorderWeight(int book, const RangeRef& range, int border, int weight) = 0;
};

class SheetFont {
  public:
    SheetFont(SpreadsheetBackend& backend, int book, RangeRef range) : b_(&backend), book_(book), r_(range) {}
    void Bold(bool bold) { b_->setBold(book_, r_, bold); }

  private:
    SpreadsheetBackend* b_;
    int book_;
    RangeRef r_;
};

class SheetBorder {
  public:
    SheetBorder(SpreadsheetBackend& backend, int book, RangeRef range, int index)
        : b_(&backend), book_(book), r_(range), index_(index) {}
    void LineStyle(int style) { b_->setBorderLineStyle(book_, r_, index_, style); }
    void Weight(int weight) { b_->setBorderWeight(book_, r_, index_, weight); }

  private:
    SpreadsheetBackend* b_;
    int book_;
    RangeRef r_;
    int index_;
};

class SheetRange {
  public:
    SheetRange(SpreadsheetBackend& backend, int book, RangeRef range)
        : b_(&backend), book_(book), r_(range) {}
    const RangeRef& ref() const { return r_; }

    void Value(const std::string& text) { b_->setValue(book_, r_, text); }
    void NumberFormatLocal(const std::string& format) { b_->setNumberFormatLocal(book_, r_, format); }
    SheetFont Font() { return {*b_, book_, r_}; }
    void Orientation(int orientation) { b_->setOrientation(book_, r_, orientation); }
    SheetRange EntireColumn();
    void AutoFit() { b_->autoFit(book_, r_); }
    SheetBorder Borders(int index) { return {*b_, book_, r_, index}; }

  private:
    SpreadsheetBackend* b_;
    int book_;
    RangeRef r_;
};

class SheetPageSetup {
  public:
    SheetPageSetup(SpreadsheetBackend& backend, int book, SheetRef sheet)
        : b_(&backend), book_(book), s_(sheet) {}
    void Orientation(int orientation) { b_->setPageOrientation(book_, s_, orientation); }
    void CenterHeader(const std::string& header) { b_->setCenterHeader(book_, s_, header); }

  private:
    SpreadsheetBackend* b_;
    int book_;
    SheetRef s_;
};

class Worksheet {
  public:
    Worksheet(SpreadsheetBackend& backend, int book, SheetRef sheet) : b_(&backend), book_(book), s_(sheet) {}
    const SheetRef& ref() const { return s_; }

    void Activate() { b_->activate(book_, s_); }
    SheetRange Cells(int row, int column);
    SheetRange Columns(int column);
    // The block spanned by two cells, or the columns spanned by two columns.
    SheetRange Range(const SheetRange& first, const SheetRange& last);
    void Name(const std::string& name) { b_->setSheetName(book_, s_, name); }
    SheetPageSetup PageSetup() { return {*b_, book_, s_}; }

  private:
    SpreadsheetBackend* b_;
    int book_;
    SheetRef s_;
};

class SheetCollection {
  public:
    SheetCollection(SpreadsheetBackend& backend, int book) : b_(&backend), book_(book) {}
    Worksheet Item(int index) { return {*b_, book_, {SheetRef::Via::SheetsItem, index}}; }
    // Add with Before given and After omitted; the new sheet becomes active.
    void Add(const Worksheet& before, int count, int type) {
        b_->addSheets(book_, before.ref(), count, type);
    }

  private:
    SpreadsheetBackend* b_;
    int book_;
};

class Workbook {
  public:
    Workbook(SpreadsheetBackend& backend, int book) : b_(&backend), book_(book) {}
    int number() const { return book_; }

    Worksheet WorkSheets(int index) { return {*b_, book_, {SheetRef::Via::WorkSheets, index}}; }
    Worksheet ActiveSheet() { return {*b_, book_, {SheetRef::Via::ActiveSheet, 0}}; }
    SheetCollection Sheets() { return {*b_, book_}; }
    Worksheet Sheets(int index) { return {*b_, book_, {SheetRef::Via::Sheets, index}}; }

  private:
    SpreadsheetBackend* b_;
    int book_;
};

class Workbooks {
  public:
    explicit Workbooks(SpreadsheetBackend& backend) : b_(&backend) {}
    Workbook Add() { return {*b_, b_->addWorkbook()}; }

  private:
    SpreadsheetBackend* b_;
};

class SpreadsheetApplication {
  public:
    explicit SpreadsheetApplication(SpreadsheetBackend& backend) : b_(&backend) {}
    void Visible(bool visible) { b_->setVisible(visible); }
    void ScreenUpdating(bool updating) { b_->setScreenUpdating(updating); }
    class Workbooks WorkBooks() {
        return office::Workbooks(*b_);
    }

  private:
    SpreadsheetBackend* b_;
};

// The automation object made from a class name ("Excel.Application").
class SpreadsheetObject {
  public:
    SpreadsheetObject(SpreadsheetBackend& backend, const std::string& className) : b_(&backend) {
        backend.createObject(className);
    }
    SpreadsheetApplication Application() { return SpreadsheetApplication(*b_); }

  private:
    SpreadsheetBackend* b_;
};

}  // namespace kestrune::office
