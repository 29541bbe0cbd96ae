#include "ui/common/Prompter.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "core/Error.h"

namespace kestrune {

QString applicationTitle() {
    return QStringLiteral("Kestrune for Windows95/NT");
}

void showError(Prompter& prompter, const QString& text) {
    prompter.ask({text, applicationTitle(), PromptButtons::Ok, PromptIcon::Error});
}

void showError(Prompter& prompter, const UserError& error) {
    const QString text = QString::fromStdString(error.what());
    if (error.caption().empty()) {
        showError(prompter, text);
    } else {
        prompter.ask({text, QString::fromStdString(error.caption()), PromptButtons::Ok, PromptIcon::None});
    }
}

PromptAnswer WidgetPrompter::ask(const PromptRequest& request) {
    QMessageBox box(parent_);
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.icon) {
        case PromptIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case PromptIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case PromptIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case PromptIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case PromptIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (request.buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case PromptButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case PromptButtons::SaveDiscardCancel:
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
            box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄"));
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Yes:
        case QMessageBox::Save:
            return PromptAnswer::Yes;
        case QMessageBox::No:
        case QMessageBox::Discard:
            return PromptAnswer::No;
        default:
            return request.buttons == PromptButtons::YesNo ? PromptAnswer::No
                   : request.buttons == PromptButtons::Ok  ? PromptAnswer::Ok
                                                           : PromptAnswer::Cancel;
    }
}

static void prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.caption);
    dialog.setDirectory(request.directory);
    if (!request.filters.isEmpty())
        dialog.setNameFilters(request.filters);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

QString WidgetPrompter::openFileName(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString WidgetPrompter::saveFileName(const FileDialogRequest& request, QString* chosenFilter) {
    QFileDialog dialog(parent_);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter != nullptr)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

QString WidgetPrompter::existingDirectory(const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent_, caption, start);
}

std::optional<QColor> WidgetPrompter::chooseColor(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent_);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

bool WidgetPrompter::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

int WidgetPrompter::runDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace kestrune
