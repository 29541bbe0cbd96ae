// The work of `collect` in kestrune-cli-collect: the session, its server and the log.
#include <signal.h>

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "collect/QrCode.h"
#include "collect/Server.h"
#include "collect/Session.h"

namespace kestrune::cli {
namespace {

std::vector<std::string> splitCodes(const std::string& text) {
    std::vector<std::string> codes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        codes.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return codes;
        start = comma + 1;
    }
}

int portArgument(const std::string& text) {
    if (text == "0")
        return 0;
    const int port = positiveNumberArgument("--port", text);
    if (port > 65535)
        throw UsageError("--port is 0 to 65535");
    return port;
}

int collect(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    collect::SessionSettings settings;
    settings.disk = invocation.disk;
    settings.shuffle = takeFlag(args, "--shuffle");
    const bool keepUnfinished = takeFlag(args, "--keep-unfinished");
    const bool yes = takeFlag(args, "--yes");
    if (const auto subjects = takeOption(args, "--subjects"))
        settings.expectedSubjects = positiveNumberArgument("--subjects", *subjects);
    if (const auto codes = takeOption(args, "--codes"))
        settings.sampleCodes = splitCodes(*codes);
    collect::ServerOptions options;
    if (const auto bind = takeOption(args, "--bind"))
        options.address = *bind;
    if (const auto port = takeOption(args, "--port"))
        options.port = portArgument(*port);
    const std::vector<std::string> names = positionals(args, 3);
    settings.series = diskNameArgument(names[0]);
    settings.group = sexGroupArgument(names[1]);
    settings.file = diskNameArgument(names[2]);

    // A new session asks about an existing data file before anyone answers; a resumed one was
    // asked when it started.
    std::error_code error;
    const auto& disk = settings.disk;
    const bool journal = std::filesystem::exists(std::filesystem::symlink_status(
        collect::Session::journalPathOf(disk, settings.group, settings.series, settings.file), error));
    const bool dataExists = std::filesystem::exists(std::filesystem::symlink_status(
        disk.dataPath(settings.group, settings.series, settings.file), error));
    if (!journal && dataExists && !yes && !overwriteConfirmed(invocation))
        return 1;
    // The file as it was when overwriting it was agreed to; a file that appears or changes while
    // the session runs is not replaced at the end without --yes.
    std::optional<std::filesystem::file_time_type> agreed;
    if (!journal && dataExists) {
        const auto time = std::filesystem::last_write_time(
            disk.dataPath(settings.group, settings.series, settings.file), error);
        if (!error)
            agreed = time;
    }

    collect::Session session(std::move(settings));
    // The server's threads inherit this mask, so the signals reach only the wait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    collect::Server server(session, options);
    server.start();

    Output& out = invocation.out;
    out << "URL: " << server.joinUrl() << '\n'
        << collect::terminalQrCode(collect::encodeQrCode(server.joinUrl()))
        << "参加コード: " << session.shortCode() << "(QR コードを読めないときは " << server.entryUrl()
        << " を開いて入力)\n";
    const int pairs = static_cast<int>(session.series().pairs.size());
    if (session.resumed()) {
        const auto all = session.progress();
        out << "前回の記録から再開します: 被験者 " << std::to_string(all.size()) << " 人、うち回答を終えた人 "
            << std::to_string(session.finishedCount()) << " 人。\n";
    }
    out << "受付中です。終えるには Ctrl+C を押します。\n";
    out.flush();
    session.setListener([&out, pairs](const collect::SubjectProgress& subject, std::string_view event) {
        out << "被験者 " << std::to_string(subject.number);
        if (event == "joined")
            out << ": 参加\n";
        else if (event == "finished")
            out << ": 回答終了(" << std::to_string(subject.finishPosition) << " 人目)\n";
        else
            out << ": 対 " << std::to_string(subject.answeredPairs) << " / " << std::to_string(pairs) << '\n';
        out.flush();
    });

    const timespec tick{0, 200'000'000};
    while (!session.complete()) {
        const int signal = sigtimedwait(&stopSignals, nullptr, &tick);
        if (signal > 0)
            break;
    }
    server.stop();
    session.setListener({});
    const int unfinished = session.unfinishedWithAnswers();
    const std::filesystem::path data = session.dataPath();
    if (!yes && session.finishedCount() + (keepUnfinished ? unfinished : 0) > 0 &&
        std::filesystem::exists(std::filesystem::symlink_status(data, error))) {
        const auto now = std::filesystem::last_write_time(data, error);
        if (!agreed || error || now != *agreed) {
            invocation.err << "データファイル " << StudyDisk::pathLabel(data)
                           << " が受付中に作られたか変わったので、上書きしませんでした。回答はすべて "
                           << StudyDisk::pathLabel(session.journalPath())
                           << " に残っています。上書きしてよければ、同じ引数に --yes を付けて起動し直し、"
                              "受付を終えてください。\n";
            return 1;
        }
    }
    const int written = session.writeDataFile(keepUnfinished);
    if (written > 0)
        out << "データファイル " << StudyDisk::pathLabel(session.dataPath()) << " に被験者 "
            << std::to_string(written) << " 人の回答を書きました。\n";
    else
        out << "回答を終えた被験者がいないので、データファイルは書きませんでした。\n";
    if (unfinished > 0 && !keepUnfinished)
        out << "回答を終えていない被験者 " << std::to_string(unfinished) << " 人の回答は入れていません。\n";
    return 0;
}

const DrawingWork collectWork("collect", collect);

}  // namespace
}  // namespace kestrune::cli
