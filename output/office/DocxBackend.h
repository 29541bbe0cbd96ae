#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "output/office/PictureClipboard.h"
#include "output/office/WordModel.h"

namespace kestrune::office {

// A word processor of our own that carries the member calls out in documents held in memory
// and writes each as a .docx file (OOXML of our own, zipped). A new document is A4 portrait
// with margins of 35 mm at the top and 30 mm elsewhere; a new table has single 0.5 pt lines
// everywhere and equal columns across the text width; AutoFit gives the selected columns the
// width of their widest text (full-width characters count double). Positions count the
// characters of the cells, each cell ended by one mark and each row by another, as the
// automation model counts them, so that ranges built from Start and End find their cells.
// A pasted picture keeps its metafile (vector); placed at the top-left corner of the text
// area it is written inline there, elsewhere as a picture anchored to the page.
class DocxBackend : public WordBackend {
  public:
    struct Border {
        int lineStyle = -1;  // -1: not set (the table's own lines apply)
        int lineWidth = 4;   // eighths of a point
    };
    struct Cell {
        std::string text;
        bool bold = false;
        int colorIndex = 0;  // 0: automatic; 6: red
        bool vertical = false;
        Border top, left, bottom, right;
    };
    struct TableData {
        int document = 0;
        int rows = 0, columns = 0;
        std::vector<Cell> cells;       // row-major
        std::vector<Border> borders;   // by -index - 1: top, left, bottom, right, inner h/v, diagonals
        std::set<int> autoFitColumns;  // from 1
        Cell& cell(int row, int column);
        const Cell& cell(int row, int column) const;
    };
    struct PictureData {
        std::string metafile;
        double width = 0, height = 0;  // points
        bool floating = false;
        int relativeHorizontal = 0, relativeVertical = 0;
        double left = 0, top = 0;  // points
    };
    struct DocumentData {
        int orientation = 0;  // wdOrientPortrait
        std::vector<int> tables;
        std::optional<PictureData> picture;
        std::string text;  // what was inserted outside tables
        // The selection: cells of one table, or the picture.
        int selectedTable = 0;
        std::set<std::pair<int, int>> selectedCells;
        bool pictureSelected = false;
    };

    explicit DocxBackend(const PictureClipboard* clipboard = nullptr) : clipboard_(clipboard) {}

    void createObject(const std::string& className) override;
    void setVisible(bool) override {}
    void setScreenUpdating(bool) override {}
    int addDocument() override;
    int activeDocument() override { return active_; }
    void setPageOrientation(int document, int orientation) override;
    double pageMeasure(int document, PageMeasure measure) override;
    int addTable(const DocRangeRef& at, int rows, int columns) override;
    void insertAfter(const DocRangeRef& range, const std::string& text) override;
    void setBold(const DocRangeRef& range, bool bold) override;
    void setColorIndex(const DocRangeRef& range, int colorIndex) override;
    void setTextOrientation(const DocRangeRef& range, int orientation) override;
    int rangeStart(const DocRangeRef& range) override;
    int rangeEnd(const DocRangeRef& range) override;
    void select(const DocRangeRef& range) override;
    void setBorderLineStyle(const BorderOwnerRef& owner, int border, int lineStyle) override;
    void setBorderLineWidth(const BorderOwnerRef& owner, int border, int lineWidth) override;
    void selectColumn() override;
    void autoFitSelectedCells() override;
    void paste() override;
    void setShapeRange(ShapeMember member, double value) override;

    int documentCount() const { return static_cast<int>(documents_.size()); }
    const DocumentData& document(int number) const {
        return documents_.at(static_cast<std::size_t>(number - 1));
    }
    const TableData& table(int number) const { return tables_.at(static_cast<std::size_t>(number - 1)); }
    // The document as the bytes of a .docx file.
    std::string docxBytes(int number) const;

  private:
    DocumentData& documentAt(int number);
    TableData& tableAt(int number);
    // The cells a range covers, as (table, row, column).
    std::vector<std::tuple<int, int, int>> cellsOf(const DocRangeRef& range);
    template <class Visit>
    void forEachCellSpan(int document, Visit visit) const;
    std::pair<int, int> cellSpan(int table, int row, int column) const;
    std::vector<Border*> ownedEdges(const BorderOwnerRef& owner, int border);

    const PictureClipboard* clipboard_;
    std::vector<DocumentData> documents_;
    std::vector<TableData> tables_;
    int active_ = 0;
};

}  // namespace kestrune::office
