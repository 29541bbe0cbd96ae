#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTableWidget;

namespace kestrune {

class Prompter;
class TextGrid;

// The physical quantity editor "物理量の設定": a button panel, the fixed text and the quantity
// grid. Row 0 of the grid is its fixed header ("物理量", "単位", "1".."N"); row q holds quantity
// q: name, unit and one value per panel. The main window fills it, shows it and writes the
// file when it closes with the result saved (Accepted).
class PhysicalQuantityEditor : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxRows = 21;  // the header and 20 quantities

    explicit PhysicalQuantityEditor(Prompter& prompter, QWidget* parent = nullptr);

    // N + 2 columns, the panels headed "1".."N".
    void setPanelCount(int panels);
    void setRowCount(int rows);
    int rowCount() const;
    int columnCount() const;
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Where "ファイル読込" starts looking.
    void setImportDirectory(const QString& directory) { importDirectory_ = directory; }
    // Every row as texts, row 0 first, for writing the file.
    std::vector<std::vector<std::string>> rows() const;

    QTableWidget* grid() const { return grid_; }
    // The panel's buttons in order: save, add, delete, import, copy, paste, print, discard.
    const QList<QPushButton*>& buttons() const { return buttons_; }

    // Takes the grid as it is now as the saved state: Escape and the close box ask before
    // dropping any change made after this.
    void markUnchanged() { savedRows_ = rows(); }
    bool changed() const { return rows() != savedRows_; }
    // Escape and the close box: with changes, "変更を保存しますか?" first.
    void reject() override;

    // The operations of the buttons.
    void saveAndClose();
    void addQuantity();
    void deleteQuantity();
    void importFile();
    void copyGrid() const;
    void pasteRows();
    void printGrid();
    void discardAndClose();

  private:
    void appendRow();
    void makeHeaderCell(int column, const QString& text);
    TextGrid textGrid() const;

    Prompter& prompter_;
    QTableWidget* grid_;
    QList<QPushButton*> buttons_;
    QString importDirectory_;
    std::vector<std::vector<std::string>> savedRows_;
};

}  // namespace kestrune
