#include "cli/OfficeOutput.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "core/Error.h"
#include "core/StudyDisk.h"

namespace kestrune::cli {

OfficeForm takeOfficeForm(std::vector<std::string>& args, bool documentAllowed) {
    const bool workbook = takeFlag(args, "--xlsx");
    const bool document = documentAllowed && takeFlag(args, "--docx");
    if (workbook && document)
        throw UsageError("--xlsx と --docx は一緒に指定できません。");
    return workbook ? OfficeForm::Workbook : document ? OfficeForm::Document : OfficeForm::None;
}

TableForm tableForm(OfficeForm office, bool html, bool richText) {
    if (office == OfficeForm::Workbook)
        return TableForm::Workbook;
    if (office == OfficeForm::Document)
        return TableForm::Document;
    return html ? TableForm::Html : richText ? TableForm::RichText : TableForm::Text;
}

namespace {

struct FormNames {
    TableForm form;
    std::array<std::string_view, 2> extensions;  // lower case, with the dot; the first is the form's own
    std::string_view name;
};

constexpr FormNames kFormNames[] = {
    {TableForm::Text, {".txt", ".txt"}, "テキスト"},
    {TableForm::Html, {".htm", ".html"}, "HTML 文書"},
    {TableForm::RichText, {".rtf", ".rtf"}, "書式付きテキスト(RTF)"},
    {TableForm::Workbook, {".xlsx", ".xlsx"}, "Excel ブック"},
    {TableForm::Document, {".docx", ".docx"}, "Word 文書"},
};

const FormNames& namesOf(TableForm form) {
    return *std::find_if(std::begin(kFormNames), std::end(kFormNames),
                         [form](const FormNames& names) { return names.form == form; });
}

bool endsIn(const std::string& lowerName, const FormNames& names) {
    return std::any_of(names.extensions.begin(), names.extensions.end(), [&](std::string_view extension) {
        return lowerName.size() > extension.size() && lowerName.ends_with(extension) &&
               lowerName[lowerName.size() - extension.size() - 1] != '/';
    });
}

}  // namespace

void checkOutputName(const std::optional<std::string>& output, TableForm form) {
    if (!output)
        return;
    std::string lower = *output;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const FormNames& own = namesOf(form);
    if (endsIn(lower, own))
        return;
    const bool office = form == TableForm::Workbook || form == TableForm::Document;
    const bool another = std::any_of(std::begin(kFormNames), std::end(kFormNames),
                                     [&](const FormNames& names) { return endsIn(lower, names); });
    if (office || another) {
        throw UsageError("-o " + *output + ": " + std::string(own.name) + "を書くファイルの名前は " +
                         std::string(own.extensions[0]) + " で終わるようにしてください。");
    }
}

bool wantsOfficeFile(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "--xlsx" || arg == "--docx"; });
}

std::filesystem::path scratchDirectory(const std::optional<std::string>& outputFile) {
    if (!outputFile)
        return {};
    const std::filesystem::path path = pathFromUtf8(*outputFile);
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

OfficeWriters& officeWriters() {
    static OfficeWriters writers;
    return writers;
}

const OfficeWriters& requireOfficeWriters() {
    const OfficeWriters& writers = officeWriters();
    // kestrune-cli runs kestrune-cli-draw for office files before any command starts.
    if (!writers.deliver)
        throw UserError("kestrune-cli: Excel/Word 形式のファイルは kestrune-cli-draw が作ります。");
    return writers;
}

}  // namespace kestrune::cli
