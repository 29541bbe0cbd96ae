#include "ui/correlation/PhysicalQuantityEditor.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Error.h"
#include "core/Numbers.h"
#include "core/PhysicalQuantity.h"
#include "core/StudyDisk.h"
#include "core/TextGrid.h"
#include "core/TextLines.h"
#include "output/printing/TStrGridPrinter.h"
#include "ui/common/Prompter.h"
#include "ui/common/TabLeavingGrid.h"

namespace kestrune {

namespace {

struct EditorButton {
    const char* caption;
    const char* hint;
    void (PhysicalQuantityEditor::*action)();
};

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The paste's split of a line by position: the text before the next TAB, empty without one.
QString beforeTab(const QString& text) {
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : text.left(tab);
}

// Drops the text up to and including the next TAB; without one nothing is dropped.
QString afterTab(const QString& text) {
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text : text.mid(tab + 1);
}

}  // namespace

PhysicalQuantityEditor::PhysicalQuantityEditor(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), grid_(new TabLeavingGrid<QTableWidget>(2, 2, this)) {
    setWindowTitle(QStringLiteral("物理量の設定"));
    grid_->setObjectName(QStringLiteral("quantityGrid"));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->horizontalHeader()->setDefaultSectionSize(64);
    grid_->setTabKeyNavigation(true);
    makeHeaderCell(0, QStringLiteral("物理量"));
    makeHeaderCell(1, QStringLiteral("単位"));
    grid_->setColumnWidth(0, 121);
    grid_->setColumnWidth(1, 78);

    const EditorButton kButtons[] = {
        {"保存して終了", "物理量の設定を保存して終了します。", &PhysicalQuantityEditor::saveAndClose},
        {"追加", "新しい物理量を入力できるようにします。", &PhysicalQuantityEditor::addQuantity},
        {"削除", "選択された物理量を削除します。", &PhysicalQuantityEditor::deleteQuantity},
        {"ファイル読込", "DOS版または他のシリーズのデータを読み込みます。",
         &PhysicalQuantityEditor::importFile},
        {"コピー", "データをクリップボードにコピーします。", nullptr},
        {"貼り付け", "クリップボードのデータを貼り付けます。", &PhysicalQuantityEditor::pasteRows},
        {"印刷", "一覧印刷します。", &PhysicalQuantityEditor::printGrid},
        {"破棄して終了", "変更を保存せずに終了します。", &PhysicalQuantityEditor::discardAndClose},
    };
    auto* panel = new QGridLayout;
    for (const EditorButton& entry : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.caption), this);
        button->setToolTip(QString::fromUtf8(entry.hint));
        button->setAutoDefault(false);
        const int index = static_cast<int>(buttons_.size());
        panel->addWidget(button, index / 4, index % 4);
        buttons_.append(button);
        if (entry.action != nullptr)
            connect(button, &QPushButton::clicked, this, entry.action);
    }
    connect(buttons_[4], &QPushButton::clicked, this, &PhysicalQuantityEditor::copyGrid);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addWidget(new QLabel(QStringLiteral("現在20個までの物理量が設定可能です。"), this));
    layout->addWidget(grid_, 1);
    resize(560, 420);
}

void PhysicalQuantityEditor::makeHeaderCell(int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(palette().brush(QPalette::Button));
    grid_->setItem(0, column, item);
}

void PhysicalQuantityEditor::setPanelCount(int panels) {
    grid_->setColumnCount(panels + 2);
    makeHeaderCell(0, QStringLiteral("物理量"));
    makeHeaderCell(1, QStringLiteral("単位"));
    for (int panel = 1; panel <= panels; ++panel) {
        makeHeaderCell(panel + 1, QString::number(panel));
        grid_->setColumnWidth(panel + 1, 64);
    }
    grid_->setColumnWidth(0, 121);
    grid_->setColumnWidth(1, 78);
}

void PhysicalQuantityEditor::setRowCount(int rows) {
    grid_->setRowCount(std::max(rows, 1));
}

int PhysicalQuantityEditor::rowCount() const {
    return grid_->rowCount();
}

int PhysicalQuantityEditor::columnCount() const {
    return grid_->columnCount();
}

QString PhysicalQuantityEditor::cell(int column, int row) const {
    const QTableWidgetItem* item = grid_->item(row, column);
    return item == nullptr ? QString() : item->text();
}

void PhysicalQuantityEditor::setCell(int column, int row, const QString& text) {
    if (column >= grid_->columnCount() || row >= grid_->rowCount())
        return;  // beyond the series' panels: not shown, not saved
    if (QTableWidgetItem* item = grid_->item(row, column))
        item->setText(text);
    else
        grid_->setItem(row, column, new QTableWidgetItem(text));
}

std::vector<std::vector<std::string>> PhysicalQuantityEditor::rows() const {
    std::vector<std::vector<std::string>> result;
    for (int row = 0; row < rowCount(); ++row) {
        std::vector<std::string>& cells = result.emplace_back();
        for (int column = 0; column < columnCount(); ++column)
            cells.push_back(cell(column, row).toStdString());
    }
    return result;
}

void PhysicalQuantityEditor::appendRow() {
    grid_->insertRow(grid_->rowCount());
}

void PhysicalQuantityEditor::saveAndClose() {
    for (int row = 1; row < rowCount(); ++row) {
        for (int column = 2; column < columnCount(); ++column) {
            if (parseReal(cell(column, row).toStdString()))
                continue;
            grid_->clearSelection();
            grid_->setCurrentCell(row, column);
            prompter_.ask({QStringLiteral("数値形式が正しくありません。"), QStringLiteral("エラー"),
                           PromptButtons::Ok, PromptIcon::None});
            // Back on the offending cell, ready for the corrected number.
            grid_->setFocus(Qt::OtherFocusReason);
            grid_->setCurrentCell(row, column);
            return;
        }
    }
    accept();
}

void PhysicalQuantityEditor::reject() {
    if (changed()) {
        const PromptAnswer answer = prompter_.ask({QStringLiteral("変更を保存しますか?"), windowTitle(),
                                                   PromptButtons::SaveDiscardCancel, PromptIcon::Question});
        if (answer == PromptAnswer::Yes) {
            saveAndClose();
            return;
        }
        if (answer != PromptAnswer::No)
            return;
    }
    QDialog::reject();
}

void PhysicalQuantityEditor::discardAndClose() {
    QDialog::reject();
}

void PhysicalQuantityEditor::addQuantity() {
    if (rowCount() >= kMaxRows)
        return;
    appendRow();
}

void PhysicalQuantityEditor::deleteQuantity() {
    if (rowCount() > 2) {
        int top = grid_->currentRow();
        const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
        if (!ranges.isEmpty()) {
            top = ranges.first().topRow();
            for (const QTableWidgetSelectionRange& range : ranges)
                top = std::min(top, range.topRow());
        }
        // The header row stays: a selection that reaches it deletes the first quantity.
        grid_->removeRow(std::max(top, 1));
        return;
    }
    // The last quantity is emptied, so the grid always keeps one quantity row.
    for (int column = 0; column < columnCount(); ++column)
        setCell(column, 1, QString());
}

void PhysicalQuantityEditor::importFile() {
    FileDialogRequest request;
    request.directory = importDirectory_;
    request.filters << QStringLiteral("物理量の設定ファイル (*.phy)");
    request.defaultSuffix = QStringLiteral("phy");
    request.mustExist = true;
    const QString fileName = prompter_.openFileName(request);
    if (fileName.isEmpty())
        return;
    try {
        const std::vector<std::string> lines = readTextLines(pathFromUtf8(fileName.toStdString()));
        const CommaFields header = splitAtFirstComma(lineAt(lines, 1));
        const int quantities = parseInteger(header.before);
        const int panels = parseInteger(header.after);
        const int firstRow = rowCount();
        const int count = std::clamp(quantities, 0, std::max(0, kMaxRows - firstRow));
        for (int i = 0; i < count; ++i)
            appendRow();
        // A short file is read to its end; what it lacks stays empty.
        std::size_t line = 2;
        for (int i = 0; i < count && line <= lines.size(); ++i) {
            const int row = firstRow + i;
            const NameAndUnit names = splitNameLine(lines[line - 1]);
            ++line;
            setCell(0, row, fromUtf8(names.name));
            setCell(1, row, fromUtf8(names.unit));
            for (int panel = 1; panel <= panels && line <= lines.size(); ++panel, ++line)
                setCell(panel + 1, row, fromUtf8(lines[line - 1]));
        }
    } catch (const UserError& error) {
        showError(prompter_, error);
    }
}

void PhysicalQuantityEditor::copyGrid() const {
    QString text;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column)
            cells << cell(column, row);
        text += cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(text);
}

void PhysicalQuantityEditor::pasteRows() {
    const std::vector<std::string> lines = splitLines(QGuiApplication::clipboard()->text().toStdString());
    const int count = std::clamp(static_cast<int>(lines.size()), 0, std::max(0, kMaxRows - rowCount()));
    const int last = columnCount() - 1;
    for (int i = 0; i < count; ++i) {
        appendRow();
        const int row = rowCount() - 1;
        QString rest = fromUtf8(lines[static_cast<std::size_t>(i)]);
        setCell(0, row, beforeTab(rest));
        for (int column = 1; column < last; ++column) {
            rest = afterTab(rest);
            setCell(column, row, beforeTab(rest));
        }
        setCell(last, row, afterTab(rest));
    }
}

TextGrid PhysicalQuantityEditor::textGrid() const {
    TextGrid grid(columnCount(), rowCount());
    grid.fixedRows = 1;
    grid.fixedColumns = 0;
    for (int row = 0; row < rowCount(); ++row) {
        grid.setRowHeight(row, grid_->rowHeight(row));
        for (int column = 0; column < columnCount(); ++column)
            grid.setCell(column, row, cell(column, row).toStdString());
    }
    for (int column = 0; column < columnCount(); ++column)
        grid.setColumnWidth(column, grid_->columnWidth(column));
    return grid;
}

void PhysicalQuantityEditor::printGrid() {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter_.choosePrinter(printer))
        return;
    const TextGrid grid = textGrid();
    TStrGridPrinter gridPrinter;
    gridPrinter.TargetGrid = &grid;
    gridPrinter.Font = grid_->font();
    gridPrinter.ScreenDpiX = grid_->logicalDpiX();
    gridPrinter.ScreenDpiY = grid_->logicalDpiY();
    gridPrinter.Print(printer);
}

}  // namespace kestrune
