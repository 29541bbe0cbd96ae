// kestrune-cli collect as a user runs it: the URL first, the session killed with SIGKILL midway
// and started again with the same arguments keeps every acknowledged answer, and the subjects
// finish; SIGTERM ends it and writes the file.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fstream>

#include <chrono>
#include <thread>

#include "collect/Codes.h"
#include "tests/collect/RawHttp.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::httpPost;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::tokenOf;

namespace {

// The program running with its standard output on a pipe.
class Program {
  public:
    // With `withErrors`, standard error goes to the same pipe as standard output.
    explicit Program(const std::vector<std::string>& args, bool withErrors = false) {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDIN_FILENO);
            dup2(withErrors ? fds[1] : null, STDERR_FILENO);
            close(fds[0]);
            close(fds[1]);
            std::vector<char*> argv;
            std::string program = KESTRUNE_CLI;
            argv.push_back(program.data());
            std::vector<std::string> copy = args;
            for (std::string& arg : copy)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(fds[1]);
        out_ = fds[0];
    }
    ~Program() {
        if (pid_ > 0 && status_ < -1) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
    }
    // Reads standard output until a line starting with `prefix` arrives (20 s at most).
    std::string waitForLine(const std::string& prefix) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            std::size_t start = 0;
            for (std::size_t end; (end = text_.find('\n', start)) != std::string::npos; start = end + 1) {
                if (text_.compare(start, prefix.size(), prefix) == 0 && start >= consumed_) {
                    consumed_ = end + 1;
                    return text_.substr(start, end - start);
                }
            }
            if (std::chrono::steady_clock::now() > until || !readSome())
                return {};
        }
    }
    // Waits for the exit (20 s at most); -1 when it did not exit normally.
    int wait() {
        for (int i = 0; i < 200 && status_ < -1; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        while (readSome()) {
        }
        return status_;
    }
    void signal(int number) { kill(pid_, number); }
    void killNow() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        status_ = -1;
    }
    const std::string& output() const { return text_; }

  private:
    bool readSome() {
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            return status_ < -1;
        char buffer[4096];
        const ssize_t n = read(out_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        text_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
    pid_t pid_ = -1;
    int out_ = -1;
    int status_ = -2;
    std::string text_;
    std::size_t consumed_ = 0;
};

struct Url {
    int port = 0;
    std::string code;  // "/CODE"
};

Url parseUrl(const std::string& line) {
    Url url;
    const std::string prefix = "URL: http://127.0.0.1:";
    if (line.rfind(prefix, 0) != 0)
        return url;
    const std::size_t slash = line.find('/', prefix.size());
    url.port = std::stoi(line.substr(prefix.size(), slash - prefix.size()));
    url.code = line.substr(slash);
    return url;
}

std::vector<std::string> arguments(const TempDisk& disk, std::vector<std::string> extra) {
    std::vector<std::string> args = {"--root", disk.root().string(), "collect", "味", "mix", "教室",
                                     "--bind", "127.0.0.1",          "--port",  "0"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

int answer(const Url& url, const std::string& token, int pair, const std::string& values) {
    return httpPost(url.port, url.code + "/answer",
                    "token=" + token + "&pair=" + std::to_string(pair) + "&values=" + values)
        .status;
}

}  // namespace

TEST(CollectProgram, KilledMidSessionAndStartedAgainKeepsEveryAcknowledgedAnswer) {
    TempDisk disk;
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    std::string first, second;
    std::string urlLine;
    {
        Program program(arguments(disk, {"--subjects", "2"}));
        urlLine = program.waitForLine("URL: ");
        const Url url = parseUrl(urlLine);
        ASSERT_GT(url.port, 0) << urlLine;
        ASSERT_EQ(program.output().rfind("URL: ", 0), 0u);
        program.waitForLine("受付中です");
        first = tokenOf(httpPost(url.port, url.code + "/join", ""));
        second = tokenOf(httpPost(url.port, url.code + "/join", ""));
        ASSERT_TRUE(kestrune::collect::isTokenText(first));
        EXPECT_EQ(answer(url, first, 0, "01"), 200);
        EXPECT_EQ(answer(url, first, 1, "11"), 200);
        EXPECT_EQ(answer(url, second, 0, "10"), 200);
        EXPECT_NE(program.waitForLine("被験者 1: 対 2 / 3"), "");
        program.killNow();
    }
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/味/教室.dat")));
    ASSERT_TRUE(std::filesystem::exists(disk.path("mix/味/教室.journal")));

    Program program(arguments(disk, {"--subjects", "2"}));
    // The same URL again, so the subjects' pages carry on.
    EXPECT_EQ(program.waitForLine("URL: "), urlLine);
    EXPECT_NE(program.waitForLine("前回の記録から再開します"), "");
    const Url url = parseUrl(urlLine);
    const auto state = httpPost(url.port, url.code + "/state", "token=" + first);
    EXPECT_NE(state.body.find("\"answers\":\"11\""), std::string::npos) << state.body;
    EXPECT_EQ(answer(url, second, 1, "00"), 200);
    EXPECT_EQ(answer(url, second, 2, "01"), 200);
    EXPECT_EQ(answer(url, first, 2, "10"), 200);
    // The second of the expected subjects finished: the program writes the file and ends.
    EXPECT_EQ(program.wait(), 0) << program.output();
    EXPECT_EQ(readBytes(disk.path("mix/味/教室.dat")),
              "2,3,2\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"
              "0\r\n1\r\n1\r\n1\r\n1\r\n0\r\n");
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/味/教室.journal")));
}

TEST(CollectProgram, EndsOnSigtermAndNeverReplacesAFileUnasked) {
    TempDisk disk;
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    {
        Program program(arguments(disk, {}));
        const Url url = parseUrl(program.waitForLine("URL: "));
        program.waitForLine("受付中です");
        const std::string done = tokenOf(httpPost(url.port, url.code + "/join", ""));
        const std::string midway = tokenOf(httpPost(url.port, url.code + "/join", ""));
        for (int pair = 0; pair < 3; ++pair)
            EXPECT_EQ(answer(url, done, pair, "11"), 200);
        EXPECT_EQ(answer(url, midway, 0, "11"), 200);
        program.signal(SIGTERM);
        EXPECT_EQ(program.wait(), 0);
        EXPECT_NE(program.output().find("回答を終えていない被験者 1 人"), std::string::npos)
            << program.output();
    }
    const std::string written = readBytes(disk.path("mix/味/教室.dat"));
    EXPECT_EQ(written, "1,3,2\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");

    // The file exists and nobody is there to answer the question: nothing starts, nothing changes.
    Program again(arguments(disk, {}));
    EXPECT_EQ(again.wait(), 1);
    EXPECT_EQ(again.output(), "");
    EXPECT_EQ(readBytes(disk.path("mix/味/教室.dat")), written);
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/味/教室.journal")));
}

TEST(CollectProgram, AFileThatAppearedDuringTheSessionIsKeptWithTheJournalUntilYes) {
    TempDisk disk;
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    const std::filesystem::path data = disk.path("mix/味/教室.dat");
    {
        Program program(arguments(disk, {}), true);
        const Url url = parseUrl(program.waitForLine("URL: "));
        program.waitForLine("受付中です");
        const std::string token = tokenOf(httpPost(url.port, url.code + "/join", ""));
        for (int pair = 0; pair < 3; ++pair)
            EXPECT_EQ(answer(url, token, pair, "01"), 200);
        std::ofstream(data, std::ios::binary) << "1,3,2\r\n";
        program.signal(SIGTERM);
        EXPECT_EQ(program.wait(), 1);
        EXPECT_NE(program.output().find("上書きしませんでした。回答はすべて"), std::string::npos)
            << program.output();
    }
    EXPECT_EQ(readBytes(data), "1,3,2\r\n");
    EXPECT_TRUE(std::filesystem::exists(disk.path("mix/味/教室.journal")));
    // With --yes it resumes from the journal and replaces the file.
    Program again(arguments(disk, {"--yes"}));
    again.waitForLine("受付中です");
    again.signal(SIGTERM);
    EXPECT_EQ(again.wait(), 0);
    EXPECT_EQ(readBytes(data), "1,3,2\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n");
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/味/教室.journal")));
}
