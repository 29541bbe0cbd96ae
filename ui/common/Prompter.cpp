#include "ui/common/Prompter.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

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

QStringList filterExtensions(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^\\s;()*]+)"));
    QStringList extensions;
    QRegularExpressionMatchIterator matches = pattern.globalMatch(filter);
    while (matches.hasNext())
        extensions << matches.next().captured(1).toLower();
    return extensions;
}

QString fileNameForType(const QString& name, const QString& chosenFilter, const QStringList& filters) {
    const QStringList chosen = filterExtensions(chosenFilter);
    if (chosen.isEmpty())
        return name;
    const QFileInfo info(name);
    const QString suffix = info.suffix().toLower();
    if (chosen.contains(suffix))
        return name;
    for (const QString& filter : filters) {
        if (!info.completeBaseName().isEmpty() && filterExtensions(filter).contains(suffix))
            return name.left(name.size() - suffix.size()) + chosen.first();
    }
    return (name.endsWith(QLatin1Char('.')) ? name : name + QLatin1Char('.')) + chosen.first();
}

QString Prompter::saveFileName(const FileDialogRequest& request, QString* chosenFilter) {
    FileDialogRequest shown = request;
    for (;;) {
        QString filter;
        const QString given = chooseSaveFileName(shown, &filter);
        if (given.isEmpty())
            return {};
        if (!request.filters.contains(filter))
            filter = request.filters.value(0);
        const QString name = fileNameForType(given, filter, request.filters);
        // The dialog's own question would name the file before its extension was settled.
        if (request.confirmOverwrite && QFileInfo::exists(name) &&
            ask({QStringLiteral("同名のファイルが存在しますが、上書きしますか?"),
                 QStringLiteral("ファイルの上書きの確認"), PromptButtons::YesNo, PromptIcon::None}) !=
                PromptAnswer::Yes) {
            shown.directory = QFileInfo(name).absolutePath();
            shown.fileName = QFileInfo(name).fileName();
            shown.selectedFilter = filter;
            continue;
        }
        if (chosenFilter != nullptr)
            *chosenFilter = filter;
        return name;
    }
}

static void prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.caption);
    dialog.setDirectory(request.directory);
    if (!request.filters.isEmpty())
        dialog.setNameFilters(request.filters);
    if (request.filters.contains(request.selectedFilter))
        dialog.selectNameFilter(request.selectedFilter);
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

QString WidgetPrompter::chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) {
    QFileDialog dialog(parent_);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // A name typed without an extension gets the chosen type's, not the first type's.
    const auto followType = [&dialog](const QString& filter) {
        const QStringList extensions = filterExtensions(filter);
        if (!extensions.isEmpty())
            dialog.setDefaultSuffix(extensions.first());
    };
    followType(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followType);
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
