#include "ui/entry/EntryPage.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/Error.h"
#include "core/Listings.h"
#include "core/Numbers.h"
#include "core/Series.h"
#include "core/TextLines.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryKeyFilter.h"
#include "ui/entry/EntryPicturePanel.h"
#include "ui/entry/ResponseBoard.h"

namespace kestrune {

namespace {

QPushButton* makeButton(const QString& caption, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(hint);
    // Enter presses the focused button, as the operator's keyboard habit expects.
    button->setAutoDefault(true);
    return button;
}

// A small keyboard drawn for the keyboard focus button.
QIcon keyboardIcon() {
    QPixmap pixmap(24, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(230, 230, 230));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 23, 15), 2, 2);
    painter.setBrush(Qt::black);
    for (int row = 0; row < 2; ++row) {
        for (int key = 0; key < 5; ++key)
            painter.drawRect(3 + key * 4, 3 + row * 4, 2, 2);
    }
    painter.drawRect(6, 11, 12, 2);
    return QIcon(pixmap);
}

QLabel* counterLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(24);
    return label;
}

}  // namespace

EntryPage::EntryPage(AppContext& context, EndEntryDialog& endDialog, QWidget* parent)
    : QWidget(parent), context_(context), endDialog_(endDialog), seriesChooser_(new QComboBox(this)) {
    seriesChooser_->setObjectName(QStringLiteral("entrySeriesChooser"));
    buildFilePart();
    buildBoardPanel();

    auto* layout = new QHBoxLayout(this);
    auto* filePart = new QVBoxLayout;
    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(new QLabel(QStringLiteral("シリーズ名"), this));
    seriesRow->addWidget(seriesChooser_, 1);
    filePart->addLayout(seriesRow);
    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(new QLabel(QStringLiteral("(コメント)"), this));
    commentRow->addWidget(commentLabel_, 1);
    filePart->addLayout(commentRow);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(new QLabel(QStringLiteral("性別"), this));
    sexRow->addWidget(sexChooser_, 1);
    filePart->addLayout(sexRow);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("ファイル名"), this));
    nameRow->addWidget(fileNameBox_, 1);
    filePart->addLayout(nameRow);
    filePart->addWidget(dataFileList_, 1);
    filePart->addWidget(
        new QLabel(QStringLiteral("ファイル名の変更は「データ集計/出力」タブで行ってください"), this));
    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(newInputButton_);
    fileButtons->addWidget(openButton_);
    fileButtons->addWidget(collectButton_);
    filePart->addLayout(fileButtons);
    layout->addLayout(filePart, 2);
    layout->addWidget(boardPanel_, 3);

    new EntryKeyFilter(*this);
    leaveLockedState();
}

void EntryPage::buildFilePart() {
    commentLabel_ = new QLabel(this);
    commentLabel_->setObjectName(QStringLiteral("entryComment"));
    sexChooser_ = new QComboBox(this);
    sexChooser_->setObjectName(QStringLiteral("entrySexChooser"));
    for (TSexGroup group : kAllSexGroups) {
        sexChooser_->addItem(QString::fromUtf8(sexGroupChooserLabel(group).data(),
                                               static_cast<qsizetype>(sexGroupChooserLabel(group).size())));
    }
    connect(sexChooser_, &QComboBox::currentIndexChanged, this, [this] {
        // While the chooser is enabled the running entry follows it: its files go there.
        run_.group = chosenGroup();
        guarded([this] { ListDataFiles(); });
    });
    fileNameBox_ = new QLineEdit(this);
    fileNameBox_->setObjectName(QStringLiteral("fileNameBox"));

    dataFileList_ = new QTreeWidget(this);
    dataFileList_->setObjectName(QStringLiteral("entryDataFileList"));
    dataFileList_->setHeaderLabels(
        {QStringLiteral("ファイル名"), QStringLiteral("人数"), QStringLiteral("コメント")});
    dataFileList_->setRootIsDecorated(false);
    dataFileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dataFileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    dataFileList_->setSortingEnabled(true);
    dataFileList_->sortByColumn(0, Qt::AscendingOrder);
    setDataFileColumnWidths();
    dataFileList_->setContextMenuPolicy(Qt::ActionsContextMenu);
    newInputAction_ = new QAction(QStringLiteral("新規入力"), dataFileList_);
    openAction_ = new QAction(QStringLiteral("開く"), dataFileList_);
    dataFileList_->addAction(newInputAction_);
    dataFileList_->addAction(openAction_);
    connect(newInputAction_, &QAction::triggered, this, [this] { guarded([this] { NewInput(); }); });
    connect(openAction_, &QAction::triggered, this, [this] { guarded([this] { OpenFile(); }); });
    connect(dataFileList_, &QTreeWidget::itemSelectionChanged, this, &EntryPage::updateOpenAction);
    updateOpenAction();

    newInputButton_ =
        makeButton(QStringLiteral("新規入力"), QStringLiteral("新しい被験者のデータを入力します。"), this);
    openButton_ = makeButton(QStringLiteral("開く"),
                             QStringLiteral("これまで入力した被験者のデータを閲覧修正します。"), this);
    connect(newInputButton_, &QPushButton::clicked, this, [this] { guarded([this] { NewInput(); }); });
    connect(openButton_, &QPushButton::clicked, this, [this] { guarded([this] { OpenFile(); }); });
    collectButton_ = makeButton(QStringLiteral("端末で回答"),
                                QStringLiteral("被験者のスマートフォンやタブレットで回答を受け付けます。"), this);
    connect(collectButton_, &QPushButton::clicked, this, [this] { guarded([this] { openCollectWindow(); }); });
}

void EntryPage::buildBoardPanel() {
    boardPanel_ = new QWidget(this);
    boardPanel_->setObjectName(QStringLiteral("boardPanel"));
    boardControls_ = new QWidget(boardPanel_);
    auto* controls = new QVBoxLayout(boardControls_);

    subjectCounter_ = counterLabel(QStringLiteral("subjectCounter"), boardControls_);
    subjectCountCounter_ = counterLabel(QStringLiteral("subjectCountCounter"), boardControls_);
    pairCounter_ = counterLabel(QStringLiteral("pairCounter"), boardControls_);
    pairCountCounter_ = counterLabel(QStringLiteral("pairCountCounter"), boardControls_);
    sexLabel_ = new QLabel(boardControls_);
    sexLabel_->setObjectName(QStringLiteral("boardSexLabel"));
    auto* counters = new QHBoxLayout;
    counters->addWidget(subjectCounter_);
    counters->addWidget(new QLabel(QStringLiteral("人目/全"), boardControls_));
    counters->addWidget(subjectCountCounter_);
    counters->addWidget(new QLabel(QStringLiteral("人"), boardControls_));
    counters->addSpacing(16);
    counters->addWidget(new QLabel(QStringLiteral("性別"), boardControls_));
    counters->addWidget(sexLabel_);
    counters->addStretch();
    counters->addWidget(pairCounter_);
    counters->addWidget(new QLabel(QStringLiteral("/"), boardControls_));
    counters->addWidget(pairCountCounter_);
    controls->addLayout(counters);

    subjectTabs_ = new QTabBar(boardControls_);
    pairTabs_ = new QTabBar(boardControls_);
    for (QTabBar* tabs : {subjectTabs_, pairTabs_}) {
        tabs->setObjectName(tabs == subjectTabs_ ? QStringLiteral("subjectTabs")
                                                 : QStringLiteral("pairTabs"));
        tabs->setExpanding(false);
        tabs->setUsesScrollButtons(true);
        tabs->setDrawBase(true);
        connect(tabs, &QTabBar::currentChanged, this, [this] { guarded([this] { tabChanged(); }); });
    }
    auto* tabRows = new QGridLayout;
    tabRows->addWidget(new QLabel(QStringLiteral("人数"), boardControls_), 0, 0);
    tabRows->addWidget(subjectTabs_, 0, 1);
    tabRows->addWidget(new QLabel(QStringLiteral("提示順序"), boardControls_), 1, 0);
    tabRows->addWidget(pairTabs_, 1, 1);
    tabRows->setColumnStretch(1, 1);
    controls->addLayout(tabRows);

    board_ = new ResponseBoard(boardControls_);
    board_->setObjectName(QStringLiteral("responseBoard"));
    boardScroller_ = new QScrollArea(boardControls_);
    boardScroller_->setObjectName(QStringLiteral("boardScroller"));
    boardScroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    boardScroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    boardScroller_->setWidget(board_);
    boardScroller_->setWidgetResizable(true);
    boardScroller_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    boardScroller_->setFocusPolicy(Qt::NoFocus);
    boardScroller_->setMinimumWidth(board_->minimumWidth() + 24);
    connect(board_, &ResponseBoard::marked, this, [this](int row) { keepMarkingInView(row); });
    // Scrolling moves what is on screen and paints only the strip that comes into view; the
    // rings cut by that strip would be finished by differently drawn ones. Paint all afresh.
    connect(boardScroller_->verticalScrollBar(), &QScrollBar::valueChanged, board_,
            qOverload<>(&QWidget::update));

    previousButton_ =
        makeButton(QStringLiteral("前へ"), QStringLiteral("一つ前の調査用紙に戻ります。"), boardControls_);
    nextButton_ =
        makeButton(QStringLiteral("次へ"), QStringLiteral("一つ後の調査用紙に移ります。"), boardControls_);
    deleteSubjectButton_ =
        makeButton(QStringLiteral("被験者の削除"), QStringLiteral("現在入力中の被験者のデータを削除します。"),
                   boardControls_);
    addSubjectButton_ = makeButton(QStringLiteral("被験者の追加"),
                                   QStringLiteral("次の被験者のデータを入力します。"), boardControls_);
    saveButton_ = makeButton(QStringLiteral("データの保存"),
                             QStringLiteral("ここまで入力されたデータを保存します。"), boardControls_);
    endButton_ = makeButton(QStringLiteral("終了"), QStringLiteral("入力を終了します。"), boardControls_);
    previousButton_->setEnabled(false);
    keyboardButton_ = new QToolButton(boardControls_);
    keyboardButton_->setObjectName(QStringLiteral("keyboardFocusButton"));
    keyboardButton_->setIcon(keyboardIcon());
    keyboardButton_->setToolTip(QStringLiteral("キーボード入力を初期化します。"));
    keyboardButton_->setFocusPolicy(Qt::StrongFocus);
    connect(previousButton_, &QPushButton::clicked, this, [this] { guarded([this] { PreviousSheet(); }); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { guarded([this] { NextSheet(); }); });
    connect(deleteSubjectButton_, &QPushButton::clicked, this,
            [this] { guarded([this] { DeleteSubject(); }); });
    connect(addSubjectButton_, &QPushButton::clicked, this, [this] { guarded([this] { AddSubject(); }); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { guarded([this] { SaveFile(); }); });
    connect(endButton_, &QPushButton::clicked, this, [this] { guarded([this] { EndEntry(); }); });

    auto* boardRow = new QHBoxLayout;
    boardRow->addWidget(boardScroller_, 1);
    auto* buttons = new QVBoxLayout;
    for (QWidget* button : std::initializer_list<QWidget*>{previousButton_, nextButton_, deleteSubjectButton_,
                                                           addSubjectButton_, saveButton_, endButton_}) {
        buttons->addWidget(button);
    }
    buttons->addSpacing(12);
    buttons->addWidget(keyboardButton_, 0, Qt::AlignLeft);
    buttons->addStretch();
    boardRow->addLayout(buttons);
    controls->addLayout(boardRow, 1);

    // The picture shares the board's cell and lies on top of it while no entry runs.
    picturePanel_ = new EntryPicturePanel(boardPanel_);
    auto* stack = new QGridLayout(boardPanel_);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(boardControls_, 0, 0);
    stack->addWidget(picturePanel_, 0, 0);
    picturePanel_->raise();
}

void EntryPage::setUpPage() {
    guarded([this] { SetUpEntryPage(); });
}

void EntryPage::refreshDataFiles() {
    guarded([this] { ListDataFiles(); });
}

void EntryPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Another program may have written or removed files; an entry in progress keeps its list.
    if (entryInProgress_)
        return;
    const QTreeWidgetItem* selected = dataFileList_->currentItem();
    const QString name = selected == nullptr ? QString() : selected->text(0);
    try {
        ListDataFiles();
    } catch (const UserError&) {
        // Read quietly: a listing that fails is told when the series or group is chosen.
    }
    const QList<QTreeWidgetItem*> found = dataFileList_->findItems(name, Qt::MatchExactly, 0);
    if (!name.isEmpty() && !found.isEmpty())
        dataFileList_->setCurrentItem(found.front());
}

void EntryPage::setDataFileColumnWidths() {
    dataFileList_->setColumnWidth(0, 100);
    dataFileList_->setColumnWidth(1, 50);
    dataFileList_->setColumnWidth(2, 80);
}

void EntryPage::updateOpenAction() {
    openAction_->setEnabled(!dataFileList_->selectedItems().isEmpty());
}

bool EntryPage::canClose() {
    if (!entryInProgress_)
        return true;
    guarded([this] { EndEntry(); });
    return !entryInProgress_;
}

void EntryPage::guarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    } catch (const std::exception& error) {
        // A library's own text is never shown: our message stands for it.
        showError(context_.prompter, QString::fromStdString(userMessageOf(error)));
    }
}

QString EntryPage::chosenSeries() const {
    return seriesChooser_->currentText();
}

TSexGroup EntryPage::chosenGroup() const {
    return sexGroupFromIndex(sexChooser_->currentIndex());
}

void EntryPage::clearSeriesShape() {
    seriesReady_ = false;
    rebuildPairTabs(0);
    pairCountCounter_->clear();
    board_->LayOutBoard({});
    run_.pairTabs = 0;
    run_.images = 0;
}

void EntryPage::SetUpEntryPage() {
    const std::string series = chosenSeries().toStdString();
    if (seriesChooser_->count() == 0 || series.empty()) {
        if (entryInProgress_)
            return;
        commentLabel_->clear();
        clearSeriesShape();
        dataFileList_->clear();
        return;
    }
    // A set-up that fails part way leaves no shape of an earlier series behind to enter into.
    if (!entryInProgress_)
        clearSeriesShape();
    commentLabel_->setText(QString::fromStdString(context_.disk.ReadSeriesComment(series)));
    // A series the board and the analyses cannot hold is refused here, before the board is
    // shaped, so that no data file is entered that the analyses would reject.
    const TSeries chosen = readSupportedSeries(context_.disk, series);
    const int pairTabs = chosen.pairCount;
    const std::vector<std::string>& words = chosen.images;
    const int images = static_cast<int>(words.size());
    // While an entry runs its series is fixed; a disk whose files now disagree with the
    // answers in the buffer must not reshape the board under them.
    const bool keepShape = entryInProgress_ && (pairTabs != run_.pairTabs || images != run_.images);
    if (!keepShape) {
        if (!entryInProgress_ || pairTabs_->count() != pairTabs)
            rebuildPairTabs(pairTabs);
        run_.pairTabs = pairTabs;
        run_.images = images;
        pairCountCounter_->setText(QString::number(pairTabs));
        board_->LayOutBoard(words);
        seriesReady_ = true;
    }
    ListDataFiles();
}

void EntryPage::ListDataFiles() {
    const TSexGroup group = chosenGroup();
    const std::string_view label = sexGroupChooserLabel(group);
    sexLabel_->setText(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    dataFileList_->clear();
    // Emptying the list drops its selection without telling.
    updateOpenAction();
    const std::string series = chosenSeries().toStdString();
    if (series.empty())
        return;
    const Listing<DataFileRow> listing = listDataFiles(context_.disk, group, series);
    dataFileList_->setSortingEnabled(false);
    for (const DataFileRow& row : listing.rows) {
        auto* item = new QTreeWidgetItem(dataFileList_);
        item->setText(0, QString::fromStdString(row.name));
        item->setText(1, QString::fromStdString(row.subjectCountText));
        item->setText(2, QString::fromStdString(row.comment));
    }
    dataFileList_->setSortingEnabled(true);
    dataFileList_->sortByColumn(0, Qt::AscendingOrder);
    if (listing.failure)
        throw *listing.failure;
}

void EntryPage::boardKeyPressed(const QKeyEvent& event) {
    // Characters only, as a typed key arrives; Tab stays the focus chain's.
    if (event.text().isEmpty() || event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return;
    const std::optional<int> openRow = board_->model().firstOpenRow();
    const KeyOutcome outcome = board_->model().keyPress(event.text().toStdString());
    if (outcome == KeyOutcome::Marked || outcome == KeyOutcome::MarkedLastRow)
        keepMarkingInView(openRow);
    if (outcome == KeyOutcome::MarkedLastRow || outcome == KeyOutcome::NoOpenRow)
        focusNextOrAdd();
}

void EntryPage::keepMarkingInView(std::optional<int> markedRow) {
    // Room above and below the row for the word label that stands a little higher.
    constexpr int kMargin = 8;
    for (const std::optional<int> row : {markedRow, board_->model().firstOpenRow()}) {
        if (!row)
            continue;
        const QRect area = board_->rowArea(*row);
        // The first row is shown with the headings "A" and "B" above it.
        const int top = *row == 1 ? 0 : area.top() - kMargin;
        const int bottom = area.bottom() + kMargin;
        boardScroller_->ensureVisible(area.center().x(), (top + bottom) / 2, 0, (bottom - top + 1) / 2);
    }
}

}  // namespace kestrune
