#include "ui/correlation/PhysicalQuantityEditing.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "core/Error.h"
#include "core/PhysicalQuantity.h"
#include "core/Series.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/correlation/PhysicalQuantityEditor.h"

namespace kestrune {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void fillFromDisk(PhysicalQuantityEditor& editor, const StudyDisk& disk, const std::string& series) {
    editor.setPanelCount(ReadOrderFile(disk.orderPath(series), 0).panelCount);
    const std::filesystem::path path = disk.physicalPath(series);
    if (!std::filesystem::is_regular_file(path)) {
        // One empty quantity row, ready for input.
        editor.setRowCount(2);
        for (int column = 0; column < editor.columnCount(); ++column)
            editor.setCell(column, 1, QString());
        return;
    }
    const PhysicalFile file = readPhysicalFile(path);
    editor.setRowCount(file.quantityCount + 1);
    for (int q = 1; q <= file.quantityCount; ++q) {
        const PhysicalQuantity& quantity = file.quantities[static_cast<std::size_t>(q - 1)];
        editor.setCell(0, q, fromUtf8(quantity.name));
        editor.setCell(1, q, fromUtf8(quantity.unit));
        for (int k = 1; k <= file.panelCount; ++k)
            editor.setCell(k + 1, q, fromUtf8(quantity.values[static_cast<std::size_t>(k - 1)]));
    }
}

// The series' "physical" directory is made when missing, so a save never loses the grid to it.
void writeQuantities(const PhysicalQuantityEditor& editor, const StudyDisk& disk, const std::string& series) {
    const std::filesystem::path path = disk.physicalPath(series);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    writePhysicalFileFromGrid(path, editor.rows());
}

}  // namespace

bool editPhysicalQuantities(AppContext& context, const std::string& series, QWidget* parent) {
    auto editor = std::make_unique<PhysicalQuantityEditor>(context.prompter, parent);
    try {
        fillFromDisk(*editor, context.disk, series);
    } catch (const UserError& error) {
        showError(context.prompter, error);
        return false;
    }
    editor->markUnchanged();
    editor->setImportDirectory(fromUtf8(pathToUtf8(context.disk.physicalDirectory(series))));
    // A file that cannot be written shows why and gives the grid back, until it is saved or
    // the user discards it.
    while (context.prompter.runDialog(*editor) == QDialog::Accepted) {
        try {
            writeQuantities(*editor, context.disk, series);
            return true;
        } catch (const UserError& error) {
            showError(context.prompter, error);
        }
    }
    return false;
}

}  // namespace kestrune
