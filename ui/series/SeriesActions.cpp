#include "ui/series/SeriesActions.h"

#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/series/SeriesWizard.h"

namespace kestrune {

SeriesActions::SeriesActions(AppContext& context, Reload reload, QObject* parent)
    : QObject(parent), context_(context), reload_(std::move(reload)) {}

void SeriesActions::addSeries(const QString& driveText, QWidget* owner) {
    {
        SeriesWizard wizard(context_, driveText, owner);
        context_.prompter.runDialog(wizard);
    }
    reload_(true);
}

bool SeriesActions::deleteSeries(const QString& series) {
    const PromptRequest confirmation{
        QStringLiteral("シリーズ「%1」のディレクトリとファイルをすべてごみ箱に移動しますか?").arg(series),
        QStringLiteral("シリーズの削除"), PromptButtons::YesNo, PromptIcon::Question};
    const bool confirmed = context_.prompter.ask(confirmation) == PromptAnswer::Yes;
    if (!confirmed || !moveSeriesToTrash(context_.disk, series.toStdString(), trashMover_)) {
        context_.prompter.ask({QStringLiteral("削除できませんでした。"), QStringLiteral("Error"),
                               PromptButtons::Ok, PromptIcon::None});
        return false;
    }
    reload_(true);
    return true;
}

bool SeriesActions::renameSeries(const QString& oldName, const QString& newName) {
    if (newName.isEmpty() || newName == oldName)
        return false;
    if (renameSeriesOnDisk(context_.disk, oldName.toStdString(), newName.toStdString()) != 0) {
        context_.prompter.ask({QStringLiteral("シリーズ名が変更できませんでした。"), QStringLiteral("エラー"),
                               PromptButtons::Ok, PromptIcon::Error});
        return false;
    }
    return true;
}

}  // namespace kestrune
