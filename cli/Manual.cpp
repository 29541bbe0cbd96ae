#include "cli/Manual.h"

#include <algorithm>
#include <sstream>

#include "cli/ProgramHelp.h"
#include "cli/TextWrap.h"

namespace kestrune::cli {
namespace {

constexpr int kWidth = 78;
constexpr int kIndent = 2;

std::string usageText(const Command& command) {
    return std::string(program_help::kName) + " [--root DIR] " + command.name +
           (command.help.usage.empty() ? "" : " " + command.help.usage);
}

void paragraph(std::ostream& out, const std::string& text, int indent) {
    for (const std::string& line : wrapParagraph(text, kWidth - indent))
        out << std::string(indent, ' ') << line << '\n';
}

// "  NAME    text", the texts aligned after the longest name and wrapped beside it.
void argumentList(std::ostream& out, const std::vector<ArgumentHelp>& arguments) {
    std::size_t nameWidth = 0;
    for (const ArgumentHelp& argument : arguments)
        nameWidth = std::max(nameWidth, argument.name.size());
    const int textIndent = kIndent + static_cast<int>(nameWidth) + 2;
    for (const ArgumentHelp& argument : arguments) {
        const std::vector<std::string> lines =
            wrapParagraph(argument.text, std::max(20, kWidth - textIndent));
        out << std::string(kIndent, ' ') << argument.name
            << std::string(nameWidth - argument.name.size() + 2, ' ') << (lines.empty() ? "" : lines.front())
            << '\n';
        for (std::size_t i = 1; i < lines.size(); ++i)
            out << std::string(textIndent, ' ') << lines[i] << '\n';
    }
}

}  // namespace

std::string usageLine(const Command& command) {
    return "usage: " + usageText(command);
}

std::string overviewHelp() {
    std::ostringstream out;
    out << "usage: " << program_help::kName << " [--root DIR] COMMAND ...\n"
        << "       " << program_help::kName << " [COMMAND] --help\n\n";
    paragraph(out, program_help::kDescription, 0);
    out << '\n';
    paragraph(out, program_help::kOutput, 0);
    out << "\nオプション:\n";
    argumentList(out, {program_help::kRootOption, program_help::kHelpOption});
    out << "\nコマンド:\n";
    std::vector<ArgumentHelp> list;
    for (const Command& command : commands())
        list.push_back(
            {command.name, command.help.summary.empty() ? command.help.usage : command.help.summary});
    argumentList(out, list);
    out << "\n終了ステータス:\n";
    std::vector<ArgumentHelp> statuses;
    for (const auto& status : program_help::kExitStatus)
        statuses.push_back({status[0], status[1]});
    argumentList(out, statuses);
    out << '\n';
    paragraph(out, program_help::kMoreHelp, 0);
    return out.str();
}

std::string commandHelp(const Command& command) {
    const CommandHelp& help = command.help;
    std::ostringstream out;
    out << usageLine(command) << '\n';
    if (!help.summary.empty())
        out << '\n' << help.summary << '\n';
    if (!help.description.empty()) {
        out << '\n';
        paragraph(out, help.description, 0);
    }
    if (!help.arguments.empty()) {
        out << "\n引数とオプション:\n";
        argumentList(out, help.arguments);
    }
    if (!help.examples.empty()) {
        out << "\n例:\n";
        for (const std::string& example : help.examples)
            out << std::string(kIndent, ' ') << example << '\n';
        out << '\n';
        paragraph(out, program_help::kExamplesNote, 0);
    }
    return out.str();
}

}  // namespace kestrune::cli
