#include "ui/collect/CollectWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "collect/QrCode.h"
#include "collect/Server.h"
#include "collect/Session.h"
#include "core/Error.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Prompter.h"

namespace kestrune {
namespace {

QString text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The code as an image, one pixel a module, with its quiet zone of four modules.
QImage qrImageOf(const collect::QrCode& code) {
    const int size = code.size + 8;
    QImage image(size, size, QImage::Format_Mono);
    image.fill(1);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < code.size; ++y) {
        for (int x = 0; x < code.size; ++x) {
            if (code.dark(x, y))
                image.setPixel(x + 4, y + 4, 0);
        }
    }
    return image;
}

QString elapsed(std::int64_t seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

CollectWindow::CollectWindow(const StudyDisk& disk, std::string series, TSexGroup group, Prompter& prompter,
                             const QString& proposedName, QWidget* parent)
    : QDialog(parent), disk_(disk), series_(std::move(series)), group_(group), prompter_(prompter) {
    setWindowTitle(QStringLiteral("端末で回答 - ") + text(series_));
    setWindowFlag(Qt::Window);

    settingsPart_ = new QWidget(this);
    auto* form = new QFormLayout(settingsPart_);
    fileNameBox_ = new QLineEdit(proposedName, settingsPart_);
    fileNameBox_->setObjectName(QStringLiteral("collectFileName"));
    subjectsBox_ = new QSpinBox(settingsPart_);
    subjectsBox_->setObjectName(QStringLiteral("collectSubjects"));
    subjectsBox_->setRange(0, 100);
    subjectsBox_->setSpecialValueText(QStringLiteral("指定しない"));
    codesBox_ = new QLineEdit(settingsPart_);
    codesBox_->setObjectName(QStringLiteral("collectCodes"));
    codesBox_->setPlaceholderText(QStringLiteral("例 P,Q,R,S(空欄ならパネル番号)"));
    shuffleBox_ = new QCheckBox(QStringLiteral("対の順序を被験者ごとに変える"), settingsPart_);
    addressBox_ = new QLineEdit(text(collect::defaultListenAddress()), settingsPart_);
    addressBox_->setObjectName(QStringLiteral("collectAddress"));
    startButton_ = new QPushButton(QStringLiteral("受付開始"), settingsPart_);
    form->addRow(QStringLiteral("ファイル名"), fileNameBox_);
    form->addRow(QStringLiteral("被験者の人数"), subjectsBox_);
    form->addRow(QStringLiteral("試料の記号"), codesBox_);
    form->addRow(QString(), shuffleBox_);
    form->addRow(QStringLiteral("待ち受けるアドレス"), addressBox_);
    form->addRow(QString(), startButton_);
    for (int row = 0; row < form->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)
                                                ? form->itemAt(row, QFormLayout::LabelRole)->widget()
                                                : nullptr);
        if (label)
            label->setBuddy(form->itemAt(row, QFormLayout::FieldRole)->widget());
    }

    runningPart_ = new QWidget(this);
    qrLabel_ = new QLabel(runningPart_);
    qrLabel_->setObjectName(QStringLiteral("collectQrCode"));
    qrLabel_->setAccessibleName(QStringLiteral("参加用QRコード"));
    qrLabel_->setFocusPolicy(Qt::TabFocus);
    urlLabel_ = new QLabel(runningPart_);
    urlLabel_->setObjectName(QStringLiteral("collectUrl"));
    shortCodeLabel_ = new QLabel(runningPart_);
    shortCodeLabel_->setObjectName(QStringLiteral("collectShortCode"));
    entryLabel_ = new QLabel(runningPart_);
    entryLabel_->setObjectName(QStringLiteral("collectEntry"));
    entryLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    entryLabel_->setFocusPolicy(Qt::TabFocus);
    entryLabel_->setWordWrap(true);
    for (QLabel* label : {urlLabel_, shortCodeLabel_}) {
        QFont font = label->font();
        font.setPointSize(20);
        font.setBold(true);
        label->setFont(font);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::TabFocus);
        label->setWordWrap(true);
    }
    printButton_ = new QPushButton(QStringLiteral("案内の印刷"), runningPart_);
    endButton_ = new QPushButton(QStringLiteral("受付終了"), runningPart_);
    table_ = new QTableWidget(0, 4, runningPart_);
    table_->setObjectName(QStringLiteral("collectSubjectTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("被験者"), QStringLiteral("状態"),
                                       QStringLiteral("回答済みの対"), QStringLiteral("経過時間")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAccessibleName(QStringLiteral("被験者"));
    auto* top = new QHBoxLayout;
    top->addWidget(qrLabel_);
    auto* texts = new QVBoxLayout;
    texts->addWidget(urlLabel_);
    texts->addWidget(shortCodeLabel_);
    texts->addWidget(entryLabel_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton_);
    buttons->addWidget(endButton_);
    buttons->addStretch();
    texts->addLayout(buttons);
    texts->addStretch();
    top->addLayout(texts, 1);
    auto* runningLayout = new QVBoxLayout(runningPart_);
    runningLayout->addLayout(top);
    runningLayout->addWidget(table_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settingsPart_);
    layout->addWidget(runningPart_, 1);
    showRunning(false);
    resize(760, 560);

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &CollectWindow::refreshTable);
    connect(startButton_, &QPushButton::clicked, this, &CollectWindow::start);
    connect(endButton_, &QPushButton::clicked, this, [this] {
        if (finish())
            accept();
    });
    connect(printButton_, &QPushButton::clicked, this, &CollectWindow::printHandout);
}

CollectWindow::~CollectWindow() {
    if (server_)
        server_->stop();
}

QString CollectWindow::entryText() const {
    return server_ ? QStringLiteral("QR コードを読めないときは ") + text(server_->entryUrl()) +
                         QStringLiteral(" を開いて、参加コードを入力します。")
                   : QString();
}

QString CollectWindow::joinUrl() const {
    return server_ ? text(server_->joinUrl()) : QString();
}

void CollectWindow::showRunning(bool running) {
    settingsPart_->setVisible(!running);
    runningPart_->setVisible(running);
}

void CollectWindow::start() {
    try {
        collect::SessionSettings settings;
        settings.disk = disk_;
        settings.series = series_;
        settings.group = group_;
        settings.file = fileNameBox_->text().toStdString();
        if (settings.file.empty())
            throw UserError("ファイル名を入力してください!!", "Error");
        if (subjectsBox_->value() > 0)
            settings.expectedSubjects = subjectsBox_->value();
        if (!codesBox_->text().trimmed().isEmpty()) {
            for (const QString& code : codesBox_->text().split(QLatin1Char(',')))
                settings.sampleCodes.push_back(code.trimmed().toStdString());
        }
        settings.shuffle = shuffleBox_->isChecked();
        std::error_code error;
        const bool journal = std::filesystem::exists(std::filesystem::symlink_status(
            collect::Session::journalPathOf(disk_, group_, series_, settings.file), error));
        const bool exists = std::filesystem::exists(
            std::filesystem::symlink_status(disk_.dataPath(group_, series_, settings.file), error));
        confirmedOverwrite_.reset();
        const std::filesystem::path data = disk_.dataPath(group_, series_, settings.file);
        if (!journal && exists && !overwriteAllowed(data))
            return;
        auto session = std::make_unique<collect::Session>(std::move(settings));
        auto server = std::make_unique<collect::Server>(
            *session, collect::ServerOptions{.address = addressBox_->text().trimmed().toStdString()});
        server->start();
        session_ = std::move(session);
        server_ = std::move(server);
    } catch (const UserError& error) {
        showError(prompter_, error);
        return;
    }
    qrImage_ = qrImageOf(collect::encodeQrCode(server_->joinUrl()));
    qrLabel_->setPixmap(QPixmap::fromImage(qrImage_.scaled(qrImage_.size() * 6)));
    urlLabel_->setText(joinUrl());
    shortCodeLabel_->setText(QStringLiteral("参加コード ") + text(session_->shortCode()));
    entryLabel_->setText(entryText());
    showRunning(true);
    refreshTable();
    timer_->start();
    endButton_->setFocus();
}

bool CollectWindow::overwriteAllowed(const std::filesystem::path& data) {
    if (prompter_.ask({QStringLiteral("同名のファイルが存在しますが、上書きしますか?"),
                       QStringLiteral("ファイルの上書きの確認"), PromptButtons::YesNo,
                       PromptIcon::Question}) != PromptAnswer::Yes)
        return false;
    std::error_code error;
    const auto time = std::filesystem::last_write_time(data, error);
    if (!error)
        confirmedOverwrite_ = time;
    return true;
}

void CollectWindow::refreshTable() {
    if (!session_)
        return;
    const std::vector<collect::SubjectProgress> all = session_->progress();
    const int pairs = static_cast<int>(session_->series().pairs.size());
    const std::int64_t now = collect::secondsNow();
    table_->setRowCount(static_cast<int>(all.size()));
    for (int row = 0; row < static_cast<int>(all.size()); ++row) {
        const collect::SubjectProgress& subject = all[static_cast<std::size_t>(row)];
        const QStringList cells = {QString::number(subject.number),
                                   subject.finished ? QStringLiteral("回答終了") : QStringLiteral("回答中"),
                                   QStringLiteral("%1 / %2").arg(subject.answeredPairs).arg(pairs),
                                   elapsed((subject.finished ? subject.lastAt : now) - subject.joinedAt)};
        for (int column = 0; column < cells.size(); ++column) {
            QTableWidgetItem* item = table_->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                table_->setItem(row, column, item);
            }
            item->setText(cells[column]);
        }
    }
    if (session_->complete())
        endButton_->setDefault(true);
}

bool CollectWindow::finish() {
    if (!session_)
        return true;
    try {
        BusyCursor busy;
        server_->stop();
        timer_->stop();
        refreshTable();
        bool keep = false;
        if (session_->unfinishedWithAnswers() > 0) {
            keep = prompter_.ask({QStringLiteral("回答を終えていない被験者がいます。その回答も残しますか?"),
                                  QStringLiteral("受付終了"), PromptButtons::YesNo, PromptIcon::Question}) ==
                   PromptAnswer::Yes;
        }
        // A file of that name may have appeared while the session ran (or changed since the
        // researcher agreed to replace it): it is not replaced without asking. "No" keeps the
        // session, and its journal, running at the same address.
        const std::filesystem::path data = session_->dataPath();
        std::error_code error;
        const bool writes = session_->finishedCount() + (keep ? session_->unfinishedWithAnswers() : 0) > 0;
        if (writes && std::filesystem::exists(std::filesystem::symlink_status(data, error))) {
            const auto now = std::filesystem::last_write_time(data, error);
            if (!(confirmedOverwrite_ && !error && now == *confirmedOverwrite_) && !overwriteAllowed(data)) {
                auto server = std::make_unique<collect::Server>(
                    *session_,
                    collect::ServerOptions{.address = server_->address(), .port = server_->port()});
                server_.reset();
                server_ = std::move(server);
                server_->start();
                timer_->start();
                return false;
            }
        }
        session_->writeDataFile(keep);
    } catch (const UserError& error) {
        showError(prompter_, error);
        return false;
    }
    server_.reset();
    session_.reset();
    emit dataFileWritten();
    return true;
}

void CollectWindow::reject() {
    if (session_ && prompter_.ask({QStringLiteral("受付中です。受付を終えてデータファイルを書きますか?"),
                                   QStringLiteral("受付終了"), PromptButtons::YesNo, PromptIcon::Question}) !=
                        PromptAnswer::Yes)
        return;
    if (finish())
        QDialog::reject();
}

void CollectWindow::closeEvent(QCloseEvent* event) {
    if (session_ && prompter_.ask({QStringLiteral("受付中です。受付を終えてデータファイルを書きますか?"),
                                   QStringLiteral("受付終了"), PromptButtons::YesNo, PromptIcon::Question}) !=
                        PromptAnswer::Yes) {
        event->ignore();
        return;
    }
    if (!finish()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CollectWindow::printHandout() {
    if (!session_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("参加の案内"));
    if (!prompter_.choosePrinter(printer))
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const int unit = page.width() / 20;
    QFont title = painter.font();
    title.setPixelSize(unit);
    painter.setFont(title);
    painter.drawText(QRect(0, unit, page.width(), unit * 2), Qt::AlignCenter,
                     text(series_) + QStringLiteral(" の回答はこちらから"));
    const int side = page.width() * 3 / 5;
    painter.drawImage(QRect((page.width() - side) / 2, unit * 4, side, side), qrImage_);
    QFont large = title;
    large.setPixelSize(unit * 6 / 10);
    painter.setFont(large);
    painter.drawText(QRect(0, unit * 5 + side, page.width(), unit * 2),
                     Qt::AlignCenter | Qt::TextWrapAnywhere, joinUrl());
    large.setPixelSize(unit);
    painter.setFont(large);
    painter.drawText(QRect(0, unit * 7 + side, page.width(), unit * 2), Qt::AlignCenter,
                     QStringLiteral("参加コード ") + text(session_->shortCode()));
    large.setPixelSize(unit / 2);
    painter.setFont(large);
    painter.drawText(QRect(unit, unit * 9 + side, page.width() - 2 * unit, unit * 3),
                     Qt::AlignCenter | Qt::TextWordWrap, entryText());
}

}  // namespace kestrune
