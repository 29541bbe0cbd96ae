#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "output/office/SpreadsheetModel.h"

namespace kestrune::office {

// A spreadsheet of our own that carries the member calls out in workbooks held in memory and
// writes each as an .xlsx file (libxlsxwriter). Numeric texts are stored as numbers, AutoFit
// computes column widths from the texts as shown (full-width characters count double),
// vertical text is stacked with rows made tall enough, sheet names are made valid
// (validSheetName), every sheet is printed on A4, and a new book starts with one sheet
// "Sheet1".
class XlsxBackend : public SpreadsheetBackend {
  public:
    struct Edge {
        int lineStyle = 0;  // 0: no line
        int weight = 2;     // xlThin
    };
    struct Cell {
        std::string text;
        std::string numberFormat;  // local form
        bool bold = false;
        bool vertical = false;
        Edge top, bottom;
    };
    struct Sheet {
        std::string name;
        std::map<std::pair<int, int>, Cell> cells;  // (row, column), from 1
        std::map<int, double> columnWidths;         // column from 1, in character widths
        int orientation = 1;                        // xlPortrait
        std::string centerHeader;
    };
    struct Book {
        std::vector<Sheet> sheets;
        int active = 0;  // index into sheets
    };

    void createObject(const std::string& className) override;
    void setVisible(bool) override {}
    void setScreenUpdating(bool) override {}
    int addWorkbook() override;
    void activate(int book, const SheetRef& sheet) override;
    void addSheets(int book, const SheetRef& before, int count, int type) override;
    void setSheetName(int book, const SheetRef& sheet, const std::string& name) override;
    void setPageOrientation(int book, const SheetRef& sheet, int orientation) override;
    void setCenterHeader(int book, const SheetRef& sheet, const std::string& header) override;
    void setValue(int book, const RangeRef& range, const std::string& text) override;
    void setNumberFormatLocal(int book, const RangeRef& range, const std::string& format) override;
    void setBold(int book, const RangeRef& range, bool bold) override;
    void setOrientation(int book, const RangeRef& range, int orientation) override;
    void autoFit(int book, const RangeRef& range) override;
    void setBorderLineStyle(int book, const RangeRef& range, int border, int lineStyle) override;
    void setBorderWeight(int book, const RangeRef& range, int border, int weight) override;

    int bookCount() const { return static_cast<int>(books_.size()); }
    const Book& book(int number) const { return books_.at(static_cast<std::size_t>(number - 1)); }
    // The book as the bytes of an .xlsx file. It is built in a scratch file of `directory` (the
    // folder of the file it is for; empty: the hand-over folder), which is removed whatever
    // happens; a failure throws UserError saying in Japanese what went wrong.
    std::string xlsxBytes(int number, const std::filesystem::path& directory = {}) const;

  private:
    Book& bookAt(int number);
    Sheet& sheetAt(int book, const SheetRef& sheet);
    template <class Change>
    void forEachCell(int book, const RangeRef& range, Change change);

    std::vector<Book> books_;
};

}  // namespace kestrune::office
