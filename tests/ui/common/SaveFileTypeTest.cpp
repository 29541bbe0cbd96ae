// The file type chosen in a save dialog decides the name of the file written: through the real
// file dialog, and through the pages' own save buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/support/TempDisk.h"
#include "ui/common/Prompter.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

const QString kText = QStringLiteral("テキストのみ (*.txt)");
const QString kHtml = QStringLiteral("HTML文書 (*.htm)");

// Acts on the next modal window of type W once it is shown (bounded: a missing window fails).
template <class W>
void whenShown(std::function<void(W*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto* shown = qobject_cast<W*>(QApplication::activeModalWidget()); shown && shown->isVisible()) {
            act(shown);
        } else if (triesLeft > 0) {
            whenShown<W>(act, triesLeft - 1);
        } else {
            ADD_FAILURE() << "no " << W::staticMetaObject.className() << " was shown";
        }
    });
}

// As a user does: the type chosen with the keyboard in the real list, the name typed, Enter.
void chooseTypeAndName(QFileDialog* dialog, int typeSteps, const QString& name) {
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(types, nullptr);
    ASSERT_NE(nameEdit, nullptr);
    types->setFocus();
    for (int i = 0; i < typeSteps; ++i)
        QTest::keyClick(types, Qt::Key_Down);
    nameEdit->setFocus();
    nameEdit->selectAll();
    QTest::keyClicks(nameEdit, name);
    QTest::keyClick(nameEdit, Qt::Key_Return);
}

FileDialogRequest tableRequest(const TempDisk& dir) {
    FileDialogRequest request;
    request.directory = QString::fromStdString(dir.root().string());
    request.filters = {kText, kHtml};
    request.defaultSuffix = QStringLiteral("txt");
    request.confirmOverwrite = true;
    return request;
}

}  // namespace

TEST(SaveFileType, TheChosenTypesExtensionEndsTheName) {
    const QStringList figure = {QStringLiteral("Enhanced MetaFile (*.emf)"), QStringLiteral("PNG (*.png)"),
                                QStringLiteral("Web (*.htm *.html)")};
    const QString png = figure[1];
    EXPECT_EQ(fileNameForType("/d/numberline", png, figure), "/d/numberline.png");
    EXPECT_EQ(fileNameForType("/d/numberline.emf", png, figure), "/d/numberline.png");
    EXPECT_EQ(fileNameForType("/d/numberline.EMF", png, figure), "/d/numberline.png");
    EXPECT_EQ(fileNameForType("/d/numberline.png", png, figure), "/d/numberline.png");
    EXPECT_EQ(fileNameForType("/d/numberline.PNG", png, figure), "/d/numberline.PNG");
    EXPECT_EQ(fileNameForType("/d/page.html", figure[2], figure), "/d/page.html");
    EXPECT_EQ(fileNameForType("/d/page.png", figure[2], figure), "/d/page.htm");
    // An extension of no type of the dialog is part of the name.
    EXPECT_EQ(fileNameForType("/d/v1.2", png, figure), "/d/v1.2.png");
    EXPECT_EQ(fileNameForType("/d/trailing.", png, figure), "/d/trailing.png");
    EXPECT_EQ(filterExtensions(QStringLiteral("Web (*.htm *.html)")), (QStringList{"htm", "html"}));
    EXPECT_TRUE(filterExtensions(QStringLiteral("すべて (*)")).isEmpty());
}

TEST(SaveFileType, TheRealDialogWritesTheChosenTypeAndAsksAboutTheFinalName) {
    TempDisk dir;
    dir.writeBytes("scale.txt", "earlier text export");
    WidgetPrompter prompter;

    // "HTML文書" chosen, "scale" typed: the first type's .txt is neither added nor asked about.
    whenShown<QFileDialog>(
        [](QFileDialog* dialog) { chooseTypeAndName(dialog, 1, QStringLiteral("scale")); });
    QString filter;
    const QString first = prompter.saveFileName(tableRequest(dir), &filter);
    EXPECT_EQ(first, QString::fromStdString(dir.path("scale.htm").string()));
    EXPECT_EQ(filter, kHtml);
    EXPECT_EQ(readBytes(dir.path("scale.txt")), "earlier text export");

    // "scale.txt" typed with HTML chosen, where scale.htm exists: the question is about
    // scale.htm; "No" goes back to the dialog, which offers that name, and cancelling writes nothing.
    dir.writeBytes("scale.htm", "<HTML>");
    QString asked;
    QString offeredAgain;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        whenShown<QMessageBox>([&](QMessageBox* box) {
            asked = box->windowTitle() + QLatin1Char('|') + box->text();
            whenShown<QFileDialog>([&](QFileDialog* again) {
                offeredAgain = again->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text() +
                               QLatin1Char('|') + again->selectedNameFilter();
                QTest::keyClick(again, Qt::Key_Escape);
            });
            box->button(QMessageBox::No)->click();
        });
        chooseTypeAndName(dialog, 1, QStringLiteral("scale.txt"));
    });
    EXPECT_TRUE(prompter.saveFileName(tableRequest(dir), &filter).isEmpty());
    EXPECT_EQ(asked, QStringLiteral("ファイルの上書きの確認|同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(offeredAgain, QStringLiteral("scale.htm|") + kHtml);

    // The first type kept, "scale" typed, "Yes": the existing scale.txt is the file named.
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        chooseTypeAndName(dialog, 0, QStringLiteral("scale"));
    });
    EXPECT_EQ(prompter.saveFileName(tableRequest(dir), &filter),
              QString::fromStdString(dir.path("scale.txt").string()));
    EXPECT_EQ(filter, kText);
}
