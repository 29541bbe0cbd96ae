// "端末で回答" on the entry page: the collection window starts a session on 127.0.0.1, its QR
// code read back from the window's picture leads headless chromium to the session, the live table
// follows the answers, closing asks first, and "受付終了" writes the data file the list then shows.
#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <cstdio>
#include <fstream>

#include "tests/collect/RawHttp.h"
#include "tests/ui/entry/EntryTestSupport.h"
#include "ui/collect/CollectWindow.h"

using namespace kestrune;
using namespace kestrune::testing;
using kestrune::testing::httpGet;

namespace {

QPushButton* buttonNamed(QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// What zbarimg reads from a picture, or empty.
std::string readQrCode(const QImage& image, const TempDisk& scratch) {
    const std::filesystem::path file = scratch.path("qr.png");
    image.save(QString::fromStdString(file.string()));
    FILE* pipe = popen(("zbarimg --raw -q '" + file.string() + "' 2>/dev/null").c_str(), "r");
    std::string text;
    char buffer[512];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    pclose(pipe);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The text of a PDF file as pdftotext reads it, or empty.
std::string pdfText(const std::filesystem::path& pdf) {
    FILE* pipe = popen(("pdftotext -raw '" + pdf.string() + "' - 2>/dev/null").c_str(), "r");
    std::string text;
    char buffer[512];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    pclose(pipe);
    return text;
}

// Types into a field key by key, as a user would, replacing what it held.
void typeInto(QLineEdit* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

// Whether headless chromium can be driven here: the script says 77 when chromium, chromedriver or
// selenium is missing. Any other failure is left to the real run, which then fails the test.
bool browserAvailable() {
    const int status =
        QProcess::execute(QString::fromUtf8(KESTRUNE_SYSTEM_PYTHON),
                          {QString::fromUtf8(KESTRUNE_ANSWER_IN_BROWSER), QStringLiteral("--probe")});
    return status != 77;
}

// Subjects answer in headless chromium (see answer_in_browser.py for the arguments) while the event
// loop keeps running, so that the window serves them and its table follows. The script's exit code
// (-1 if it did not end within four minutes) and its output.
std::pair<int, std::string> answerInBrowser(const QStringList& arguments) {
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QString::fromUtf8(KESTRUNE_SYSTEM_PYTHON),
                 QStringList{QString::fromUtf8(KESTRUNE_ANSWER_IN_BROWSER)} + arguments);
    QElapsedTimer clock;
    clock.start();
    while (script.state() != QProcess::NotRunning && clock.elapsed() < 240000)
        QTest::qWait(50);
    if (script.state() != QProcess::NotRunning) {
        script.kill();
        script.waitForFinished(10000);
        return {-1, script.readAll().toStdString()};
    }
    const int code = script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
    return {code, script.readAll().toStdString()};
}

struct Url {
    int port = 0;
    std::string code;
};

Url parse(const std::string& url) {
    const std::string prefix = "http://127.0.0.1:";
    if (url.rfind(prefix, 0) != 0)
        return {};
    const std::size_t slash = url.find('/', prefix.size());
    return {std::stoi(url.substr(prefix.size(), slash - prefix.size())), url.substr(slash)};
}

}  // namespace

TEST(EntryCollectWindow, StartsASessionFollowsItsSubjectsAndWritesTheFile) {
    if (std::system("command -v zbarimg >/dev/null") != 0)
        GTEST_SKIP() << "zbarimg is not installed";
    if (!browserAvailable())
        GTEST_SKIP() << "chromium, chromedriver or selenium is not installed";
    EntryPageHost host;
    TempDisk scratch;
    std::string scanned;
    QStringList afterFirst, afterSecond, headers;
    bool stillRunningAfterEscape = false;
    std::string handout, shortCode;
    std::pair<int, std::string> browser[2] = {{-1, "not run"}, {-1, "not run"}};
    // The finishing subject's choices pair by pair, varied so that a swapped pair or word shows.
    QStringList chosen;
    std::string expected = "1,10,4\r\n";
    for (int pair = 0; pair < 10; ++pair) {
        QString choice;
        for (int word = 0; word < 4; ++word)
            choice += QLatin1Char((pair + word) % 3 == 0 ? '1' : '0');
        chosen << choice;
        for (const QChar value : choice)
            expected += std::string(1, value.toLatin1()) + "\r\n";
    }
    host.prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        auto& window = dynamic_cast<CollectWindow&>(dialog);
        window.show();
        EXPECT_EQ(window.fileNameBox()->text(), QStringLiteral("入力開始2026年03月05日09時07分"));
        typeInto(window.fileNameBox(), QStringLiteral("教室"));
        typeInto(window.addressBox(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(window.fileNameBox()->text(), QStringLiteral("教室"));
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付開始")), Qt::LeftButton);
        EXPECT_TRUE(window.running());
        EXPECT_EQ(window.qrLabel()->accessibleName(), QStringLiteral("参加用QRコード"));
        scanned = readQrCode(window.qrLabel()->grab().toImage(), scratch);
        EXPECT_EQ(QString::fromStdString(scanned), window.joinUrl());
        const Url url = parse(scanned);
        if (url.port == 0)
            return dialog.result();  // never send anything beyond 127.0.0.1
        QStringList words;
        for (const std::string& word : EntryPageHost::words())
            words << QString::fromStdString(word);
        // One subject answers every pair, then a second stops after the first; the table follows
        // by itself, once a second.
        QTableWidget* table = window.subjectTable();
        for (int column = 0; column < table->columnCount(); ++column)
            headers << table->horizontalHeaderItem(column)->text();
        const auto rows = [&] {
            QStringList cells;
            for (int row = 0; row < table->rowCount(); ++row)
                cells << table->item(row, 1)->text() + QLatin1Char(' ') + table->item(row, 2)->text();
            return cells;
        };
        const QString address = QString::fromStdString(scanned);
        const QString wordList = words.join(QLatin1Char(','));
        browser[0] = answerInBrowser({address, wordList, chosen.join(QLatin1Char('/'))});
        QTest::qWait(1300);
        afterFirst = rows();
        browser[1] = answerInBrowser({address, wordList, QStringLiteral("1111")});
        QTest::qWait(1300);
        afterSecond = rows();
        // The handout, printed to a PDF file: the URL and the short code, on A4.
        host.prompter.printerChoices.push_back(true);
        host.prompter.printFiles.push_back(QString::fromStdString(scratch.path("案内.pdf").string()));
        QTest::mouseClick(buttonNamed(window, QStringLiteral("案内の印刷")), Qt::LeftButton);
        handout = pdfText(scratch.path("案内.pdf"));
        shortCode = window.findChild<QLabel*>(QStringLiteral("collectShortCode"))->text().toStdString();
        // Who cannot scan the code types the root address and then the short code.
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("collectEntry"))->text(),
                  QStringLiteral(
                      "QR コードを読めないときは http://127.0.0.1:%1/ を開いて、参加コードを入力します。")
                      .arg(url.port));
        EXPECT_NE(handout.find("QR コードを読めないときは"), std::string::npos) << handout;
        // With KESTRUNE_SCREENSHOT_DIR naming a directory, the running window and the handout are
        // saved there for the guide.
        const QString shots = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            window.grab().save(shots + QStringLiteral("/collect-window.png"));
            std::system(("pdftoppm -png -r 40 -singlefile '" + scratch.path("案内.pdf").string() + "' '" +
                         shots.toStdString() + "/collect-handout'")
                            .c_str());
        }
        // Escape asks first; "No" keeps the session running.
        host.prompter.answers.push_back(PromptAnswer::No);
        QTest::keyClick(&window, Qt::Key_Escape);
        stillRunningAfterEscape = window.running();
        // "受付終了": the unfinished subject is left out.
        host.prompter.answers.push_back(PromptAnswer::No);
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付終了")), Qt::LeftButton);
        EXPECT_FALSE(window.running());
        return dialog.result();
    });
    host.clickButton(host.page->collectButton());
    ASSERT_FALSE(scanned.empty()) << "no QR code was read";
    EXPECT_EQ(browser[0].first, 0) << browser[0].second;
    EXPECT_EQ(browser[1].first, 0) << browser[1].second;
    EXPECT_EQ(headers, (QStringList{QStringLiteral("被験者"), QStringLiteral("状態"),
                                    QStringLiteral("回答済みの対"), QStringLiteral("経過時間")}));
    EXPECT_EQ(afterFirst, (QStringList{QStringLiteral("回答終了 10 / 10")}));
    EXPECT_EQ(afterSecond,
              (QStringList{QStringLiteral("回答終了 10 / 10"), QStringLiteral("回答中 1 / 10")}));
    EXPECT_TRUE(stillRunningAfterEscape);
    EXPECT_NE(handout.find(scanned), std::string::npos) << handout;
    ASSERT_FALSE(shortCode.empty());
    EXPECT_NE(handout.find(shortCode), std::string::npos) << handout;
    ASSERT_GE(host.prompter.messages.size(), 2u);
    EXPECT_EQ(host.prompter.messages[0].text,
              QStringLiteral("受付中です。受付を終えてデータファイルを書きますか?"));
    EXPECT_EQ(host.prompter.messages[1].text,
              QStringLiteral("回答を終えていない被験者がいます。その回答も残しますか?"));
    EXPECT_EQ(readBytes(host.dataFile("教室")), expected);
    EXPECT_TRUE(host.listedFiles().contains(QStringLiteral("教室")));
    // The session is over: nothing listens any more.
    EXPECT_EQ(httpGet(parse(scanned).port, parse(scanned).code).status, 0);
}

TEST(EntryCollectWindow, AFileThatAppearedDuringTheSessionIsReplacedOnlyAfterAsking) {
    EntryPageHost host;
    bool runningAfterNo = false;
    int statusAfterNo = 0;
    std::string fileAfterNo;
    host.prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        auto& window = dynamic_cast<CollectWindow&>(dialog);
        window.show();
        window.fileNameBox()->setText(QStringLiteral("教室"));
        window.addressBox()->setText(QStringLiteral("127.0.0.1"));
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付開始")), Qt::LeftButton);
        EXPECT_TRUE(window.running());
        const Url url = parse(window.joinUrl().toStdString());
        const std::string token = tokenOf(httpPost(url.port, url.code + "/join", ""));
        for (int pair = 0; pair < 10; ++pair)
            httpPost(url.port, url.code + "/answer",
                     "token=" + token + "&pair=" + std::to_string(pair) + "&values=1001");
        // Someone saves a file of that name while the session runs.
        std::ofstream(host.dataFile("教室"), std::ios::binary) << "1,10,4\r\n";
        host.prompter.answers.push_back(PromptAnswer::No);
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付終了")), Qt::LeftButton);
        runningAfterNo = window.running();
        fileAfterNo = readBytes(host.dataFile("教室"));
        statusAfterNo = httpGet(url.port, url.code).status;
        host.prompter.answers.push_back(PromptAnswer::Yes);
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付終了")), Qt::LeftButton);
        EXPECT_FALSE(window.running());
        return dialog.result();
    });
    host.clickButton(host.page->collectButton());
    EXPECT_TRUE(runningAfterNo);
    EXPECT_EQ(fileAfterNo, "1,10,4\r\n");
    EXPECT_EQ(statusAfterNo, 200);
    ASSERT_EQ(host.prompter.messages.size(), 2u);
    for (const auto& message : host.prompter.messages)
        EXPECT_EQ(message.text, QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    std::string expected = "1,10,4\r\n";
    for (int pair = 0; pair < 10; ++pair)
        expected += "1\r\n0\r\n0\r\n1\r\n";
    EXPECT_EQ(readBytes(host.dataFile("教室")), expected);
}

#include <QTabWidget>
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/analysis/DataFileList.h"

namespace kestrune::testing {

// In the main window, the file a session wrote appears in the analysis page's list at once.
TEST_F(MainWindowTest, AFileCollectedOnTheEntryPageIsListedOnTheAnalysisPage) {
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    openWindow();
    window->show();
    window->pages()->setCurrentWidget(window->entryPage());
    bool shown = false;
    prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        auto& window = dynamic_cast<CollectWindow&>(dialog);
        shown = true;
        window.show();
        window.fileNameBox()->setText(QStringLiteral("試飲会"));
        window.addressBox()->setText(QStringLiteral("127.0.0.1"));
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付開始")), Qt::LeftButton);
        const Url url = parse(window.joinUrl().toStdString());
        const std::string token = tokenOf(httpPost(url.port, url.code + "/join", ""));
        for (int pair = 0; pair < 3; ++pair)
            httpPost(url.port, url.code + "/answer",
                     "token=" + token + "&pair=" + std::to_string(pair) + "&values=10");
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付終了")), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(window->entryPage()->collectButton(), Qt::LeftButton);
    QTreeWidget* files = window->analysisPage()->dataFileList();
    QStringList names;
    for (int row = 0; row < files->topLevelItemCount(); ++row)
        names << files->topLevelItem(row)->text(0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(std::filesystem::exists(disk.path("male/味/試飲会.dat")))
        << prompter.lastText().toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("試飲会"))) << names.join(QLatin1Char(',')).toStdString();
}

}  // namespace kestrune::testing
