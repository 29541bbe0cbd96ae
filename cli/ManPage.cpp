// The man page kestrune-cli(1), made from the same texts as --help so that the two never differ.
#include <sstream>

#include "cli/Manual.h"
#include "cli/ProgramHelp.h"
#include "cli/TextWrap.h"

namespace kestrune::cli {
namespace {

// Text as groff reads it: backslashes and minus signs escaped, a leading control character
// defused, and a break point after every character where Japanese may break, since groff cannot
// find those by itself.
std::string roff(const std::string& text) {
    const std::vector<std::size_t> breaks = wideBreakOffsets(text);
    std::string out;
    std::size_t nextBreak = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
        if (nextBreak < breaks.size() && breaks[nextBreak] == i + 1) {
            out += "\\:";
            ++nextBreak;
        }
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

void taggedParagraph(std::ostream& out, const std::string& tag, const std::string& text) {
    out << ".TP\n\\fB" << roff(tag) << "\\fR\n" << roff(text) << '\n';
}

void commandSection(std::ostream& out, const Command& command) {
    const CommandHelp& help = command.help;
    out << ".SS " << roff(command.name) << '\n';
    out << "\\fB" << roff(program_help::kName) << "\\fR [\\-\\-root DIR] \\fB" << roff(command.name)
        << "\\fR " << roff(help.usage) << '\n';
    if (!help.summary.empty())
        out << ".PP\n" << roff(help.summary) << '\n';
    if (!help.description.empty())
        out << ".PP\n" << roff(help.description) << '\n';
    for (const ArgumentHelp& argument : help.arguments)
        taggedParagraph(out, argument.name, argument.text);
    if (!help.examples.empty()) {
        out << ".PP\n" << roff("例:") << "\n.RS\n.nf\n";
        for (const std::string& example : help.examples)
            out << roff(example) << '\n';
        out << ".fi\n.RE\n";
    }
}

}  // namespace

std::string manPage() {
    std::ostringstream out;
    out << ".\\\" Made by kestrune-cli --man from the texts of the commands' registrations.\n"
        << ".TH KESTRUNE\\-CLI 1 \"\" \"Kestrune\" \"Kestrune\"\n"
        << ".na\n"
        << ".SH " << roff("名前") << '\n'
        << roff(program_help::kName) << " \\- " << roff(program_help::kSummary) << '\n'
        << ".SH " << roff("書式") << '\n'
        << "\\fBkestrune\\-cli\\fR [\\-\\-root DIR] COMMAND ...\n.br\n"
        << "\\fBkestrune\\-cli\\fR [COMMAND] \\-\\-help\n"
        << ".SH " << roff("説明") << '\n'
        << roff(program_help::kDescription) << "\n.PP\n"
        << roff(program_help::kOutput) << '\n'
        << ".SH " << roff("オプション") << '\n';
    taggedParagraph(out, program_help::kRootOption.name, program_help::kRootOption.text);
    taggedParagraph(out, program_help::kHelpOption.name, program_help::kHelpOption.text);
    out << ".SH " << roff("コマンド") << '\n' << roff(program_help::kExamplesNote) << '\n';
    for (const Command& command : commands())
        commandSection(out, command);
    out << ".SH " << roff("終了ステータス") << '\n';
    for (const auto& status : program_help::kExitStatus)
        taggedParagraph(out, status[0], status[1]);
    out << ".SH " << roff("ファイル") << '\n' << roff(program_help::kStudyDiskNote) << '\n';
    for (const auto& file : program_help::kStudyDisk)
        taggedParagraph(out, file[0], file[1]);
    out << ".SH " << roff("関連項目") << '\n' << roff(program_help::kSeeAlso) << '\n';
    return out.str();
}

}  // namespace kestrune::cli
