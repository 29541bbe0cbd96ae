#include "ui/common/OfficeHandOver.h"

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/StudyDisk.h"
#include "ui/common/AppContext.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Prompter.h"

namespace kestrune {

OfficeHandOver::OfficeHandOver(Prompter& prompter, Launcher launcher)
    : prompter_(prompter), launcher_(std::move(launcher)) {}

void OfficeHandOver::handOver(const office::OfficeFile& file) {
    if (!file.failure.empty())
        showError(prompter_, QString::fromStdString(file.failure));
    if (file.bytes.empty())
        return;
    QString failure;
    try {
        const office::LaunchResult launch = launcher_(office::writeHandOverFile(file.bytes, file.suffix));
        if (launch.started)
            return;
        failure = QString::fromStdString(launch.failure);
    } catch (const UserError& error) {
        failure = QString::fromStdString(error.what());
    }
    offerToSave(file, failure);
}

void OfficeHandOver::run(AppContext& context, const std::function<office::OfficeFile()>& makeFile) {
    office::OfficeFile file;
    try {
        const BusyCursor busy;
        file = makeFile();
    } catch (const UserError& error) {
        showError(context.prompter, error);
        return;
    }
    OfficeHandOver(context.prompter, context.officeLauncher).handOver(file);
}

void OfficeHandOver::offerToSave(const office::OfficeFile& file, const QString& failure) {
    const QString question = file.isWorkbook() ? QStringLiteral("作成したブックをファイルに保存しますか?")
                                               : QStringLiteral("作成した文書をファイルに保存しますか?");
    const PromptAnswer answer =
        prompter_.ask({failure + QStringLiteral("\n\n") + question, applicationTitle(), PromptButtons::YesNo,
                       PromptIcon::Warning});
    if (answer != PromptAnswer::Yes)
        return;
    FileDialogRequest request;
    request.caption = QStringLiteral("名前を付けて保存");
    request.filters = {file.isWorkbook() ? QStringLiteral("Excel ブック (*.xlsx)")
                                         : QStringLiteral("Word 文書 (*.docx)")};
    request.defaultSuffix = QString::fromStdString(file.suffix);
    request.confirmOverwrite = true;
    const QString name = prompter_.saveFileName(request);
    if (name.isEmpty())
        return;
    try {
        writeFileAtomically(pathFromUtf8(name.toStdString()), file.bytes);
    } catch (const UserError& error) {
        showError(prompter_, error);
    }
}

}  // namespace kestrune
