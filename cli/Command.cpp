#include "cli/Command.h"

#include <algorithm>
#include <utility>

#include "core/AtomicFile.h"
#include "core/TextLines.h"

namespace kestrune::cli {

static std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

CommandRegistration::CommandRegistration(const char* name, CommandHelp help, CommandFunction function) {
    registry().push_back({name, std::move(help), function});
}

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFunction function)
    : CommandRegistration(name, CommandHelp{.usage = usage}, function) {}

static std::vector<std::pair<std::string, CommandFunction>>& drawingWork() {
    static std::vector<std::pair<std::string, CommandFunction>> all;
    return all;
}

DrawingWork::DrawingWork(const char* name, CommandFunction function) {
    drawingWork().emplace_back(name, function);
}

const std::vector<Command>& commands() {
    std::vector<Command>& all = registry();
    std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    return all;
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

CommandFunction workOf(const Command& command) {
    if (command.function)
        return command.function;
    for (const auto& [name, function] : drawingWork()) {
        if (name == command.name)
            return function;
    }
    return nullptr;
}

bool takeFlag(std::vector<std::string>& args, const std::string& flag) {
    auto it = std::find(args.begin(), args.end(), flag);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& option) {
    auto it = std::find(args.begin(), args.end(), option);
    if (it == args.end())
        return std::nullopt;
    if (it + 1 == args.end())
        throw UsageError(option + " needs a value");
    std::string value = *(it + 1);
    args.erase(it, it + 2);
    return value;
}

std::vector<std::string> positionals(const std::vector<std::string>& args, std::size_t count) {
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-')
            throw UsageError("unknown option " + arg);
    }
    if (args.size() != count)
        throw UsageError("wrong number of arguments");
    return args;
}

bool overwriteConfirmed(Invocation& invocation) {
    invocation.err << "同名のファイルが存在しますが、上書きしますか?";
    if (!invocation.interactive) {
        invocation.err << '\n';
        return false;
    }
    invocation.err << " [y/N] ";
    std::string answer;
    if (!readInputLine(answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "はい";
}

void emitLines(Invocation& invocation, const std::vector<std::string>& lines,
               const std::optional<std::string>& outputFile) {
    if (outputFile) {
        writeTextLines(pathFromUtf8(*outputFile), lines);
        return;
    }
    for (const std::string& line : lines)
        invocation.out << line << '\n';
}

void emitBytes(Invocation& invocation, const std::string& bytes,
               const std::optional<std::string>& outputFile) {
    if (outputFile) {
        writeFileAtomically(pathFromUtf8(*outputFile), bytes);
        return;
    }
    invocation.out << bytes;
}

}  // namespace kestrune::cli
