// numberline and diagram, the work of kestrune-cli-draw: the two figures of a series written as .emf, .bmp,
// .png, .svg or .pdf.
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/CorrelationDiagram.h"
#include "analysis/DiagramLoaders.h"
#include "analysis/NumberLine.h"
#include "analysis/ScaleValueAggregation.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/drawing/DrawingStart.h"
#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Picture.h"
#include "output/figure/FigureApplication.h"
#include "output/figure/FigureClipboards.h"
#include "output/figure/FigureFiles.h"
#include "output/office/OfficeFiles.h"

namespace kestrune::cli {
namespace {

// A figure file, or (.docx) a new document with the figure pasted in as the "Word97" button
// makes it.
struct FigureTarget {
    std::filesystem::path path;
    std::optional<FigureFormat> format;  // none: a .docx document
};

FigureTarget figureTarget(const std::optional<std::string>& output) {
    if (!output)
        throw UsageError("-o OUT で図を書くファイルを指定してください。");
    const std::filesystem::path path = pathFromUtf8(*output);
    const std::optional<FigureFormat> format = figureFormatFromExtension(path);
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!format && extension != ".docx")
        throw UsageError("-o " + *output +
                         ": 図を書くファイルの名前は .emf、.bmp、.png、.svg、.pdf、.docx "
                         "のいずれかで終わるようにしてください。");
    return {path, format};
}

// Returns the exit status: a document whose paste failed is written, and reported.
int writeTarget(Invocation& invocation, const FigureTarget& target, const Picture& picture,
                office::FigureSource source) {
    startDrawing();
    if (target.format) {
        writeFigure(target.path, picture, *target.format);
        return 0;
    }
    office::MemoryPictureClipboard clipboard;
    const office::OfficeFile file = office::pictureDocument(clipboard, picture, source);
    writeFileAtomically(target.path, file.bytes);
    if (!file.failure.empty()) {
        invocation.err << file.failure << '\n';
        return 1;
    }
    return 0;
}

int numberline(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const FigureTarget target = figureTarget(takeOption(args, "-o"));
    const std::vector<std::string> names = positionals(args, 3);
    const ScaleValueTable table = aggregateScaleValues(
        invocation.disk, sexGroupArgument(names[1]), diskNameArgument(names[0]), diskNameArgument(names[2]));
    Picture picture;
    if (!drawNumberLine(table.grid, table.pathLabel, picture)) {
        throw UserError("集計結果がありません。");
    }
    return writeTarget(invocation, target, picture, office::FigureSource::NumberLine);
}

// An axis as the command line names it: "images:GROUP:FILE:N" or "physical:N".
struct AxisLoad {
    DiagramAxisInput input;
    DiagramOutcome outcome = DiagramOutcome::Drawn;
};

AxisLoad loadAxis(const StudyDisk& disk, const std::string& series, const std::string& option,
                  const std::string& text, bool logarithmic) {
    AxisLoad load;
    load.input.logarithmic = logarithmic;
    const std::size_t last = text.rfind(':');
    if (last == std::string::npos)
        throw UsageError(option + " must be images:GROUP:FILE:N or physical:N");
    const int number = positiveNumberArgument(option, text.substr(last + 1));
    if (text.rfind("physical:", 0) == 0 && last == std::string("physical").size()) {
        load.input.kind = DiagramAxisKind::Physical;
        const std::vector<std::string> items = diagramQuantityItems(disk, series);
        if (items.empty()) {
            load.outcome = DiagramOutcome::NoVariable;
            return load;
        }
        if (number > static_cast<int>(items.size())) {
            throw UsageError(option + ": the series has " + std::to_string(items.size()) + " quantities");
        }
        load.input.title = items[number - 1];
        load.input.values = loadQuantityValues(disk, series, number);
        return load;
    }
    if (text.rfind("images:", 0) != 0)
        throw UsageError(option + " must be images:GROUP:FILE:N or physical:N");
    const std::string rest = text.substr(7, last - 7);  // GROUP:FILE
    const std::size_t colon = rest.find(':');
    if (colon == std::string::npos || colon + 1 >= rest.size()) {
        throw UsageError(option + " must be images:GROUP:FILE:N");
    }
    const TSexGroup group = sexGroupArgument(rest.substr(0, colon));
    const std::string file = diskNameArgument(rest.substr(colon + 1));
    load.input.kind = DiagramAxisKind::Image;
    const std::vector<std::string> items = diagramImageItems(disk, series);
    if (number > static_cast<int>(items.size())) {
        throw UsageError(option + ": the series has " + std::to_string(items.size()) + " images");
    }
    load.input.title = items[number - 1];
    // The file chooser lists only files that exist: a file that is not there has no name.
    std::error_code error;
    if (!std::filesystem::is_regular_file(disk.dataPath(group, series, file), error)) {
        load.outcome = DiagramOutcome::NoVariable;
        return load;
    }
    std::optional<std::vector<double>> scores = loadStandardisedScores(disk, group, series, file, number);
    if (!scores) {
        load.outcome = DiagramOutcome::NotComputable;
        return load;
    }
    load.input.values = std::move(*scores);
    return load;
}

Color colourArgument(const std::string& text) {
    const auto hex = [&text](std::size_t at) {
        return static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16));
    };
    if (text.size() != 7 || text[0] != '#' ||
        text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos) {
        throw UsageError("--color must be #RRGGBB");
    }
    return {hex(1), hex(3), hex(5)};
}

int diagram(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool xlog = takeFlag(args, "--xlog");
    const bool ylog = takeFlag(args, "--ylog");
    const std::optional<std::string> x = takeOption(args, "--x");
    const std::optional<std::string> y = takeOption(args, "--y");
    const std::optional<std::string> shape = takeOption(args, "--shape");
    const std::optional<std::string> colour = takeOption(args, "--color");
    const FigureTarget target = figureTarget(takeOption(args, "-o"));
    const std::vector<std::string> names = positionals(args, 1);
    diskNameArgument(names[0]);
    if (!x || !y)
        throw UsageError("--x and --y are required");

    DiagramInput input;
    input.seriesName = names[0];
    if (shape) {
        if (shape->size() != 1 || (*shape)[0] < '0' || (*shape)[0] > '4')
            throw UsageError("--shape must be 0 to 4");
        input.shape = (*shape)[0] - '0';
    }
    if (colour)
        input.plotColour = colourArgument(*colour);

    // The vertical axis is loaded first, as the page does; the first failure is shown.
    const AxisLoad vertical = loadAxis(invocation.disk, names[0], "--y", *y, ylog);
    if (vertical.outcome != DiagramOutcome::Drawn) {
        invocation.err << diagramOutcomeText(vertical.outcome) << '\n';
        return 1;
    }
    const AxisLoad horizontal = loadAxis(invocation.disk, names[0], "--x", *x, xlog);
    if (horizontal.outcome != DiagramOutcome::Drawn) {
        invocation.err << diagramOutcomeText(horizontal.outcome) << '\n';
        return 1;
    }
    input.vertical = vertical.input;
    input.horizontal = horizontal.input;

    Picture picture;
    const DiagramResult result = drawCorrelationDiagram(input, picture);
    if (result.outcome != DiagramOutcome::Drawn) {
        invocation.err << diagramOutcomeText(result.outcome) << '\n';
        return 1;
    }
    return writeTarget(invocation, target, picture, office::FigureSource::CorrelationDiagram);
}

const DrawingWork numberlineWork("numberline", numberline);
const DrawingWork diagramWork("diagram", diagram);

}  // namespace
}  // namespace kestrune::cli
