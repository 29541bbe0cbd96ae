// "端末で回答" on the entry page: the collection window starts a session on 127.0.0.1, its QR
// code read back from the window's picture leads to the session, the live table follows the
// answers, closing asks first, and "受付終了" writes the data file the list then shows.
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
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
    EntryPageHost host;
    TempDisk scratch;
    std::string scanned;
    QStringList states, counts;
    bool stillRunningAfterEscape = false;
    std::string handout, shortCode;
    host.prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        auto& window = dynamic_cast<CollectWindow&>(dialog);
        window.show();
        EXPECT_EQ(window.fileNameBox()->text(), QStringLiteral("入力開始2026年03月05日09時07分"));
        window.fileNameBox()->setText(QStringLiteral("教室"));
        window.addressBox()->setText(QStringLiteral("127.0.0.1"));
        QTest::mouseClick(buttonNamed(window, QStringLiteral("受付開始")), Qt::LeftButton);
        EXPECT_TRUE(window.running());
        EXPECT_EQ(window.qrLabel()->accessibleName(), QStringLiteral("参加用QRコード"));
        scanned = readQrCode(window.grab().toImage(), scratch);
        EXPECT_EQ(QString::fromStdString(scanned), window.joinUrl());
        const Url url = parse(scanned);
        const std::string done = tokenOf(httpPost(url.port, url.code + "/join", ""));
        const std::string midway = tokenOf(httpPost(url.port, url.code + "/join", ""));
        for (int pair = 0; pair < 10; ++pair)
            EXPECT_EQ(httpPost(url.port, url.code + "/answer",
                               "token=" + done + "&pair=" + std::to_string(pair) + "&values=0110")
                          .status,
                      200);
        EXPECT_EQ(httpPost(url.port, url.code + "/answer", "token=" + midway + "&pair=0&values=1111").status,
                  200);
        QTest::qWait(1300);  // the table follows by itself, once a second
        QTableWidget* table = window.subjectTable();
        for (int row = 0; row < table->rowCount(); ++row) {
            states << table->item(row, 1)->text();
            counts << table->item(row, 2)->text();
        }
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
    EXPECT_EQ(states, (QStringList{QStringLiteral("回答終了"), QStringLiteral("回答中")}));
    EXPECT_EQ(counts, (QStringList{QStringLiteral("10 / 10"), QStringLiteral("1 / 10")}));
    EXPECT_TRUE(stillRunningAfterEscape);
    EXPECT_NE(handout.find(scanned), std::string::npos) << handout;
    ASSERT_FALSE(shortCode.empty());
    EXPECT_NE(handout.find(shortCode), std::string::npos) << handout;
    ASSERT_GE(host.prompter.messages.size(), 2u);
    EXPECT_EQ(host.prompter.messages[0].text,
              QStringLiteral("受付中です。受付を終えてデータファイルを書きますか?"));
    EXPECT_EQ(host.prompter.messages[1].text,
              QStringLiteral("回答を終えていない被験者がいます。その回答も残しますか?"));
    std::string expected = "1,10,4\r\n";
    for (int pair = 0; pair < 10; ++pair)
        expected += "0\r\n1\r\n1\r\n0\r\n";
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
