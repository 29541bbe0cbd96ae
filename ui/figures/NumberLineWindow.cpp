#include "ui/figures/NumberLineWindow.h"

#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <memory>

#include "analysis/NumberLine.h"
#include "core/Error.h"
#include "core/TextGrid.h"
#include "output/figure/PrintGeometry.h"
#include "output/office/OfficeFiles.h"
#include "output/figure/FigureClipboards.h"
#include "ui/common/AppContext.h"
#include "ui/common/OfficeHandOver.h"
#include "ui/common/Prompter.h"
#include "ui/figures/FigureActions.h"
#include "ui/figures/FigureView.h"

namespace kestrune {

namespace {

// Shown for a failure that carries no text of ours (running out of memory, say).
const char* const kOperationFailed = "処理を完了できませんでした。";

}  // namespace

NumberLineWindow::NumberLineWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), prompter_(context.prompter) {
    setObjectName(QStringLiteral("numberLineWindow"));
    setWindowTitle(QStringLiteral("データ集計"));
    setModal(true);
    buildToolBar();

    figureView_ = new FigureView(picture_, this);
    figureView_->setObjectName(QStringLiteral("numberLineFigure"));
    figureView_->setAccessibleName(QStringLiteral("数直線"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(figureView_, 1);
    resize(560, 579);
}

void NumberLineWindow::buildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("numberLineToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);

    saveButton_ = addToolButton(QStringLiteral("保存"), QStringLiteral("数直線をEMF/BMP形式で保存します。"));
    printButton_ = addToolButton(QStringLiteral("印刷"), QStringLiteral("数直線を印刷します。"));
    copyButton_ =
        addToolButton(QStringLiteral("コピー"), QStringLiteral("数直線をクリップボードにコピーします。"));
    wordButton_ = addToolButton(QStringLiteral("Word97"), QStringLiteral("図をWord97に転送します。"));
    closeButton_ = addToolButton(QStringLiteral("終了"), QStringLiteral("ウィンドウを閉じます。"));
    closeButton_->setDefault(true);

    connect(saveButton_, &QPushButton::clicked, this,
            [this] { guarded([this] { saveFigureWithDialog(prompter_, picture_); }); });
    connect(printButton_, &QPushButton::clicked, this,
            [this] { guarded([this] { printFigureWithDialog(prompter_, picture_, kNumberLineMargins); }); });
    connect(copyButton_, &QPushButton::clicked, this,
            [this] { guarded([this] { copyFigureToClipboard(picture_); }); });
    connect(wordButton_, &QPushButton::clicked, this, [this] {
        OfficeHandOver::run(context_, [this] {
            office::SystemPictureClipboard clipboard;
            return office::pictureDocument(clipboard, picture_, office::FigureSource::NumberLine);
        });
    });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

QPushButton* NumberLineWindow::addToolButton(const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption, toolBar_);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAccessibleName(caption);
    toolBar_->addWidget(button);
    return button;
}

void NumberLineWindow::guarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const UserError& error) {
        showError(prompter_, error);
    } catch (const std::exception&) {
        showError(prompter_, QString::fromUtf8(kOperationFailed));
    }
}

void NumberLineWindow::showNumberLine(AppContext& context, const TextGrid& scaleValueTable,
                                      const QString& caption, QWidget* parent) {
    auto window = std::make_unique<NumberLineWindow>(context, parent);
    try {
        if (!drawNumberLine(scaleValueTable, caption.toStdString(), window->picture_))
            return;  // nothing aggregated yet
    } catch (const UserError& error) {
        showError(context.prompter, error);
        return;
    }
    window->figureView_->setAccessibleDescription(caption);
    context.prompter.runDialog(*window);
}

}  // namespace kestrune
