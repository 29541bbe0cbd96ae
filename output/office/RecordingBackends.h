#pragma once

#include <string>
#include <vector>

#include "output/office/SpreadsheetModel.h"
#include "output/office/WordModel.h"

namespace kestrune::office {

// Backends that write every member call down as one line of text in the object model's own
// notation ("Book1.ActiveSheet.Cells(3,4).Font.Bold := True") and pass it on to another
// backend, if one is given, which answers the calls that return something. A call can be made
// to fail, as a refusing application would.
class CallLog {
  public:
    const std::vector<std::string>& calls() const { return calls_; }
    // The first call whose line contains `fragment` throws UserError with `message` instead of
    // being passed on.
    void failOn(std::string fragment, std::string message);

  protected:
    void record(std::string line);

  private:
    std::vector<std::string> calls_;
    std::string failFragment_;
    std::string failMessage_;
};

class RecordingSpreadsheet : public SpreadsheetBackend, public CallLog {
  public:
    explicit RecordingSpreadsheet(SpreadsheetBackend* inner = nullptr) : inner_(inner) {}

    void createObject(const std::string& className) override;
    void setVisible(bool visible) override;
    void setScreenUpdating(bool updating) override;
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

  private:
    SpreadsheetBackend* inner_;
    int books_ = 0;
};

class RecordingWord : public WordBackend, public CallLog {
  public:
    explicit RecordingWord(WordBackend* inner = nullptr) : inner_(inner) {}

    void createObject(const std::string& className) override;
    void setVisible(bool visible) override;
    void setScreenUpdating(bool updating) override;
    int addDocument() override;
    int activeDocument() override;
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

  private:
    WordBackend* inner_;
    int documents_ = 0;
    int active_ = 0;
    int tables_ = 0;
};

}  // namespace kestrune::office
