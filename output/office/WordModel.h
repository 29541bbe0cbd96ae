#pragma once

#include <string>

namespace kestrune::office {

// The word processor's object model as the exports call it, with the members they use and
// nothing else. Objects are light references; each member call goes to a backend that records
// it or carries it out in a document of its own. The automation service is blind to letter
// case, and the exports keep the spelling they were written with (`item`, `selection`).

// A range of a document: character positions, or the range of one table cell.
struct DocRangeRef {
    enum class Kind { Positions, TableCell };
    Kind kind = Kind::Positions;
    int document = 0;
    int start = 0, end = 0;  // Positions
    int table = 0;           // TableCell: the table's number, from 1 across the application
    int row = 0, column = 0;
};

// The owner of a Borders collection: a whole table, or one of its rows or columns.
struct BorderOwnerRef {
    enum class Kind { Table, Row, Column };
    Kind kind = Kind::Table;
    int table = 0;
    int index = 0;  // Row and Column, from 1
};

enum class PageMeasure { PageWidth, LeftMargin, RightMargin, TopMargin };
enum class ShapeMember { Width, Left, Top, RelativeHorizontalPosition, RelativeVerticalPosition };

class WordBackend {
  public:
    virtual ~WordBackend() = default;

    // Creating the automation object by class name; throws UserError when there is none.
    virtual void createObject(const std::string& className) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setScreenUpdating(bool updating) = 0;
    virtual int addDocument() = 0;  // the new document's number, from 1; it becomes active
    virtual int activeDocument() = 0;

    virtual void setPageOrientation(int document, int orientation) = 0;
    virtual double pageMeasure(int document, PageMeasure measure) = 0;  // in points

    virtual int addTable(const DocRangeRef& at, int rows, int columns) = 0;  // the table's number
    virtual void insertAfter(const DocRangeRef& range, const std::string& text) = 0;
    virtual void setBold(const DocRangeRef& range, bool bold) = 0;
    virtual void setColorIndex(const DocRangeRef& range, int colorIndex) = 0;
    virtual void setTextOrientation(const DocRangeRef& range, int orientation) = 0;
    virtual int rangeStart(const DocRangeRef& range) = 0;
    virtual int rangeEnd(const DocRangeRef& range) = 0;
    virtual void select(const DocRangeRef& range) = 0;
    virtual void setBorderLineStyle(const BorderOwnerRef& owner, int border, int lineStyle) = 0;
    virtual void setBorderLineWidth(const BorderOwnerRef& owner, int border, int lineWidth) = 0;

    // The selection of the active document.
    virtual void selectColumn() = 0;
    virtual void autoFitSelectedCells() = 0;
    virtual void paste() = 0;  // the clipboard's picture; the selection becomes that picture
    virtual void setShapeRange(ShapeMember member, double value) = 0;
};

class DocFont {
  public:
    DocFont(WordBackend& backend, DocRangeRef range) : b_(&backend), r_(range) {}
    void ColorIndex(int colorIndex) { b_->setColorIndex(r_, colorIndex); }

  private:
    WordBackend* b_;
    DocRangeRef r_;
};

class DocRange {
  public:
    DocRange(WordBackend& backend, DocRangeRef range) : b_(&backend), r_(range) {}
    const DocRangeRef& ref() const { return r_; }

    void InsertAfter(const std::string& text) { b_->insertAfter(r_, text); }
    void Bold(bool bold) { b_->setBold(r_, bold); }
    DocFont Font() { return {*b_, r_}; }
    void Orientation(int orientation) { b_->setTextOrientation(r_, orientation); }
    int Start() { return b_->rangeStart(r_); }
    int End() { return b_->rangeEnd(r_); }
    void Select() { b_->select(r_); }

  private:
    WordBackend* b_;
    DocRangeRef r_;
};

class DocBorder {
  public:
    DocBorder(WordBackend& backend, BorderOwnerRef owner, int index)
        : b_(&backend), o_(owner), index_(index) {}
    void LineStyle(int style) { b_->setBorderLineStyle(o_, index_, style); }
    void LineWidth(int width) { b_->setBorderLineWidth(o_, index_, width); }

  private:
    WordBackend* b_;
    BorderOwnerRef o_;
    int index_;
};

class DocBorders {
  public:
    DocBorders(WordBackend& backend, BorderOwnerRef owner) : b_(&backend), o_(owner) {}
    DocBorder item(int index) { return {*b_, o_, index}; }

  private:
    WordBackend* b_;
    BorderOwnerRef o_;
};

// One row or one column of a table.
class TableLine {
  public:
    TableLine(WordBackend& backend, BorderOwnerRef owner) : b_(&backend), o_(owner) {}
    DocBorders Borders() { return {*b_, o_}; }

  private:
    WordBackend* b_;
    BorderOwnerRef o_;
};

class TableLines {
  public:
    TableLines(WordBackend& backend, int table, BorderOwnerRef::Kind kind)
        : b_(&backend), table_(table), kind_(kind) {}
    TableLine Item(int index) { return {*b_, {kind_, table_, index}}; }

  private:
    WordBackend* b_;
    int table_;
    BorderOwnerRef::Kind kind_;
};

class TableCell {
  public:
    TableCell(WordBackend& backend, DocRangeRef range) : b_(&backend), r_(range) {}
    DocRange Range() { return {*b_, r_}; }

  private:
    WordBackend* b_;
    DocRangeRef r_;
};

class Table {
  public:
    Table(WordBackend& backend, int document, int table) : b_(&backend), document_(document), table_(table) {}
    int number() const { return table_; }

    TableCell Cell(int row, int column) {
        return {*b_, {DocRangeRef::Kind::TableCell, document_, 0, 0, table_, row, column}};
    }
    DocBorders Borders() { return {*b_, {BorderOwnerRef::Kind::Table, table_, 0}}; }
    TableLines Rows() { return {*b_, table_, BorderOwnerRef::Kind::Row}; }
    TableLines Columns() { return {*b_, table_, BorderOwnerRef::Kind::Column}; }

  private:
    WordBackend* b_;
    int document_;
    int table_;
};

class Tables {
  public:
    Tables(WordBackend& backend, int document) : b_(&backend), document_(document) {}
    Table Add(const DocRange& at, int rows, int columns) {
        return {*b_, document_, b_->addTable(at.ref(), rows, columns)};
    }

  private:
    WordBackend* b_;
    int document_;
};

class DocPageSetup {
  public:
    DocPageSetup(WordBackend& backend, int document) : b_(&backend), document_(document) {}
    void Orientation(int orientation) { b_->setPageOrientation(document_, orientation); }
    double PageWidth() { return b_->pageMeasure(document_, PageMeasure::PageWidth); }
    double LeftMargin() { return b_->pageMeasure(document_, PageMeasure::LeftMargin); }
    double RightMargin() { return b_->pageMeasure(document_, PageMeasure::RightMargin); }
    double TopMargin() { return b_->pageMeasure(document_, PageMeasure::TopMargin); }

  private:
    WordBackend* b_;
    int document_;
};

class Document {
  public:
    Document(WordBackend& backend, int document) : b_(&backend), document_(document) {}
    int number() const { return document_; }

    DocPageSetup PageSetup() { return {*b_, document_}; }
    DocRange Range(int start, int end) {
        return {*b_, {DocRangeRef::Kind::Positions, document_, start, end, 0, 0, 0}};
    }
    class Tables Tables() {
        return office::Tables(*b_, document_);
    }

  private:
    WordBackend* b_;
    int document_;
};

class ShapeRange {
  public:
    explicit ShapeRange(WordBackend& backend) : b_(&backend) {}
    void Width(double points) { b_->setShapeRange(ShapeMember::Width, points); }
    void Left(double points) { b_->setShapeRange(ShapeMember::Left, points); }
    void Top(double points) { b_->setShapeRange(ShapeMember::Top, points); }
    void RelativeHorizontalPosition(int relativeTo) {
        b_->setShapeRange(ShapeMember::RelativeHorizontalPosition, relativeTo);
    }
    void RelativeVerticalPosition(int relativeTo) {
        b_->setShapeRange(ShapeMember::RelativeVerticalPosition, relativeTo);
    }

  private:
    WordBackend* b_;
};

class SelectionCells {
  public:
    explicit SelectionCells(WordBackend& backend) : b_(&backend) {}
    void AutoFit() { b_->autoFitSelectedCells(); }

  private:
    WordBackend* b_;
};

class Selection {
  public:
    explicit Selection(WordBackend& backend) : b_(&backend) {}
    void selectcolumn() { b_->selectColumn(); }
    SelectionCells Cells() { return SelectionCells(*b_); }
    void Paste() { b_->paste(); }
    class ShapeRange ShapeRange() {
        return office::ShapeRange(*b_);
    }

  private:
    WordBackend* b_;
};

class Documents {
  public:
    explicit Documents(WordBackend& backend) : b_(&backend) {}
    Document Add() { return {*b_, b_->addDocument()}; }

  private:
    WordBackend* b_;
};

class WordApplication {
  public:
    explicit WordApplication(WordBackend& backend) : b_(&backend) {}
    void Visible(bool visible) { b_->setVisible(visible); }
    void ScreenUpdating(bool updating) { b_->setScreenUpdating(updating); }
    class Documents Documents() {
        return office::Documents(*b_);
    }
    Document ActiveDocument() { return {*b_, b_->activeDocument()}; }
    class Selection Selection() {
        return office::Selection(*b_);
    }
    class Selection selection() {
        return office::Selection(*b_);
    }

  private:
    WordBackend* b_;
};

// The automation object made from a class name ("Word.Application").
class WordObject {
  public:
    WordObject(WordBackend& backend, const std::string& className) : b_(&backend) {
        backend.createObject(className);
    }
    WordApplication Application() { return WordApplication(*b_); }

  private:
    WordBackend* b_;
};

}  // namespace kestrune::office
