// --xlsx and --docx of the batch program: the same files the buttons hand to the office suite,
// written with -o or handed to the suite without it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "analysis/CorrelationMatrix.h"
#include "analysis/ScaleValueAggregation.h"
#include "output/office/OfficeFiles.h"
#include "output/office/ZipArchive.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

using CliRun = kestrune::testing::ProgramRun;

const std::string kTables = std::string(KESTRUNE_TEST_DATA) + "/tables";

CliRun run(const std::string& environment, const std::string& arguments) {
    return kestrune::testing::runProgram("cd \'" + kTables + "\' && " + environment + " " +
                                         std::string(KESTRUNE_CLI) + " --root study-disk " + arguments);
}

// The parts of two packages are the same, the creation date aside.
void expectSameParts(const std::string& produced, const std::string& expected) {
    auto a = office::unzipArchive(produced);
    auto b = office::unzipArchive(expected);
    a.erase("docProps/core.xml");
    b.erase("docProps/core.xml");
    EXPECT_EQ(a, b);
}

const StudyDisk kDisk(std::filesystem::path(kTables) / "study-disk");

TEST(OfficeCommands, WriteTheFilesTheButtonsMake) {
    TempDisk out;
    const std::string file = (out.root() / "x").string();

    ASSERT_EQ(run("", "aggregate 印象 male 例題 --xlsx -o " + file + ".xlsx").status, 0);
    const ScaleValueTable table = aggregateScaleValues(kDisk, TSexGroup::Male, "印象", "例題");
    expectSameParts(readBytes(file + ".xlsx"), office::scaleValueWorkbook(table.grid, "印象").bytes);

    ASSERT_EQ(run("", "aggregate 印象 male 例題 --docx -o " + file + ".docx").status, 0);
    EXPECT_EQ(readBytes(file + ".docx"), office::scaleValueDocument(table.grid).bytes);

    const CliRun correlate =
        run("", "correlate 印象 --columns images:male:例題 --rows physical --docx -o " + file + "-c.docx");
    ASSERT_EQ(correlate.status, 0) << correlate.err;
    const TextGrid grid = correlationMatrix(kDisk, "印象", {CorrelationKind::Images, TSexGroup::Male, "例題"},
                                            {CorrelationKind::Physical, TSexGroup::Male, {}});
    EXPECT_EQ(readBytes(file + "-c.docx"), office::correlationDocument(grid).bytes);
}

TEST(OfficeCommands, IndividualWorkbookOfAllImagesHasOneSheetPerImage) {
    TempDisk out;
    const std::string file = (out.root() / "all.xlsx").string();
    const CliRun result = run("", "individual 印象 male 例題 --all --xlsx -o " + file);
    ASSERT_EQ(result.status, 0) << result.err;
    const auto parts = office::unzipArchive(readBytes(file));
    EXPECT_EQ(parts.count("xl/worksheets/sheet1.xml"), 1u);
    EXPECT_GE(parts.size(), 8u);
    EXPECT_NE(parts.at("xl/workbook.xml").find("name=\"Sheet1\""), std::string::npos);
}

TEST(OfficeCommands, NumberLineGoesIntoADocumentWithItsMetafile) {
    TempDisk out;
    const std::string file = (out.root() / "line.docx").string();
    const CliRun result = run("", "numberline 印象 male 例題 -o " + file);
    ASSERT_EQ(result.status, 0) << result.err;
    const auto parts = office::unzipArchive(readBytes(file));
    ASSERT_EQ(parts.count("word/media/image1.emf"), 1u);
    EXPECT_EQ(parts.at("word/media/image1.emf").substr(40, 4), " EMF");
}

TEST(OfficeCommands, WithoutOutputTheFileGoesToTheSuiteAsANewDocument) {
    TempDisk bin;
    const std::filesystem::path args = bin.root() / "args";
    bin.writeBytes("soffice", "#!/bin/sh\nprintf '%s\\n' \"$*\" > '" + args.string() + ".part' && mv '" +
                                  args.string() + ".part' '" + args.string() + "'\n");
    std::filesystem::permissions(bin.root() / "soffice", std::filesystem::perms::owner_all);
    const CliRun result =
        run("TMPDIR='" + bin.root().string() + "' PATH='" + bin.root().string() + ":/usr/bin:/bin'",
            "aggregate 印象 male 例題 --xlsx");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string path = result.out.substr(0, result.out.find('\n'));
    EXPECT_EQ(path.rfind(bin.root().string() + "/kestrune-office/", 0), 0u) << path;
    for (int i = 0; i < 200 && !std::filesystem::exists(args); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(readBytes(args), "-n " + path + "\n");
    EXPECT_EQ(readBytes(path).substr(0, 2), "PK");
}

TEST(OfficeCommands, WithoutAnySuiteTheMessageNamesWhatIsMissingAndTheFileStays) {
    TempDisk empty;
    const CliRun result = run("TMPDIR='" + empty.root().string() + "' PATH='" + empty.root().string() + "'",
                              "correlate 印象 --columns images:male:例題 --rows images:male:例題 --xlsx");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("soffice"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("xdg-open"), std::string::npos) << result.err;
    const std::string path = result.out.substr(0, result.out.find('\n'));
    EXPECT_TRUE(std::filesystem::exists(path)) << result.out;
}

TEST(OfficeCommands, FormsExcludeEachOther) {
    EXPECT_EQ(run("", "aggregate 印象 male 例題 --xlsx --html").status, 2);
    EXPECT_EQ(run("", "correlate 印象 --columns physical --rows physical --xlsx --docx").status, 2);
    EXPECT_EQ(run("", "individual 印象 male 例題 --docx").status, 2);
    const CliRun both = run("", "individual 印象 male 例題 --image 1 --all");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("kestrune-cli: --image と --all は一緒に指定できません。"), std::string::npos)
        << both.err;
}

// The bytes always match the name: an office file under another form's name, or a text under
// an office file's name, is refused before anything is written.
TEST(OfficeCommands, AnOutputNameOfAnotherFormIsRefusedInJapanese) {
    TempDisk out;
    const std::string dir = out.root().string() + "/";
    struct Case {
        std::string arguments;
        std::string message;
    };
    const std::string matrix = "correlate 印象 --columns images:male:例題 --rows physical ";
    const Case cases[] = {
        {"aggregate 印象 male 例題 --xlsx -o " + dir + "out.docx",
         "Excel ブックを書くファイルの名前は .xlsx で終わるようにしてください。"},
        {"aggregate 印象 male 例題 --docx -o " + dir + "out.xlsx",
         "Word 文書を書くファイルの名前は .docx で終わるようにしてください。"},
        {"aggregate 印象 male 例題 --xlsx -o " + dir + "out", ".xlsx で終わる"},
        {"aggregate 印象 male 例題 --html -o " + dir + "out.txt",
         "HTML 文書を書くファイルの名前は .htm で終わる"},
        {"aggregate 印象 male 例題 -o " + dir + "out.XLSX", "テキストを書くファイルの名前は .txt で終わる"},
        {"individual 印象 male 例題 --xlsx -o " + dir + "out.txt", ".xlsx で終わる"},
        {matrix + "--rtf -o " + dir + "out.htm", "書式付きテキスト(RTF)を書くファイルの名前は .rtf で終わる"},
        {matrix + "--docx -o " + dir + "out.rtf", ".docx で終わる"},
        {"numberline 印象 male 例題 -o " + dir + "out.txt",
         "図を書くファイルの名前は .emf、.bmp、.png、.svg、.pdf、.docx のいずれかで終わる"},
    };
    for (const Case& c : cases) {
        const CliRun result = run("", c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.arguments << "\n" << result.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(out.root()));
    // Names that agree are written, in either case of the extension.
    EXPECT_EQ(run("", "aggregate 印象 male 例題 --html -o " + dir + "a.HTML").status, 0);
    EXPECT_EQ(run("", "aggregate 印象 male 例題 -o " + dir + "a.csv").status, 0);
    EXPECT_EQ(run("", matrix + "--xlsx -o " + dir + "a.XLSX").status, 0);
}

TEST(OfficeCommands, HelpListsTheOfficeFormsAndTheirOutputNames) {
    for (const std::string command : {"correlate", "individual", "aggregate"}) {
        const CliRun help = run("", command + " --help");
        ASSERT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("--xlsx"), std::string::npos) << command;
        // The help is wrapped to the terminal: read it as one line.
        std::string flat;
        for (std::size_t i = 0; i < help.out.size(); ++i) {
            if (help.out[i] != '\n') {
                flat += help.out[i];
                continue;
            }
            while (i + 1 < help.out.size() && help.out[i + 1] == ' ')
                ++i;
        }
        EXPECT_NE(flat.find("--xlsx では .xlsx"), std::string::npos) << command << help.out;
        EXPECT_EQ(help.out.find("--docx") == std::string::npos, command == "individual") << command;
    }
}

// A full disk: the earlier file stays byte for byte, no scratch file is left, and the message
// is Japanese (no library text, no name the user never gave).
TEST(OfficeCommands, AFullDiskKeepsTheTargetAndLeavesNoScratchFile) {
    if (std::system("unshare -rm true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no user and mount namespaces here";
    TempDisk out;
    const std::string full = (out.root() / "full").string();
    const std::string report = (out.root() / "report").string();
    std::filesystem::create_directory(full);
    const std::string script =
        "mount -t tmpfs -o size=64k tmpfs '" + full + "' && printf 'old workbook' > '" + full +
        "/out.xlsx' && mkdir '" + full + "/kestrune-office' && (dd if=/dev/zero of='" + full +
        "/fill' bs=1k count=200 2>/dev/null; true) && cd '" + kTables + "' && " + KESTRUNE_CLI +
        " --root study-disk correlate 印象 --columns images:male:例題 --rows images:male:例題 --xlsx -o '" +
        full + "/out.xlsx' > '" + report + ".out' 2> '" + report + ".err'; echo \\$? > '" + report +
        ".status'; TMPDIR='" + full + "' " + KESTRUNE_CLI +
        " --root study-disk aggregate 印象 male 例題 --xlsx > '" + report + ".out2' 2> '" + report +
        ".err2'; echo \\$? >> '" + report + ".status'; cat '" + full + "/out.xlsx' > '" + report +
        ".target'; ls -A '" + full + "' '" + full + "/kestrune-office' > '" + report + ".left'";
    const CliRun result = kestrune::testing::runProgram("unshare -rm sh -c \"" + script + "\"");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readBytes(report + ".status"), "1\n1\n");
    EXPECT_EQ(readBytes(report + ".target"), "old workbook");
    EXPECT_EQ(readBytes(report + ".left"),
              full + ":\nfill\nkestrune-office\nout.xlsx\n\n" + full + "/kestrune-office:\n");
    for (const std::string stream : {".err", ".err2"}) {
        const std::string err = readBytes(report + stream);
        EXPECT_NE(err.find("Excel ブックを作成できません。"), std::string::npos) << err;
        EXPECT_NE(err.find("ディスクの空きが足りません。"), std::string::npos) << err;
        for (const char* english : {"ZIP", "Zip", "No space", "error", "book.xlsx", "kestrune-tmp"})
            EXPECT_EQ(err.find(english), std::string::npos) << english << " in " << err;
    }
    EXPECT_EQ(readBytes(report + ".out2"), "");
}

}  // namespace
