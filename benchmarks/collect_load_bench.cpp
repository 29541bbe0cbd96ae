// A collection session under load, on loopback only: kestrune-cli collect serves 60 simulated
// subjects answering at once, each from its own loopback address (127.0.0.2 and up) as phones on
// a classroom network would, each answering every pair of the sample series. Reported: the
// median and the 99th percentile of the answer round trip (each answer is on the disk, flushed,
// when its reply arrives), and the program's memory at its peak over its memory when idle.
// Two paces: every answer sent at once, and a pause of about 200 ms around each pair (still far
// quicker than a person comparing two samples on eight words).
// Bounded: 60 × 11 requests per iteration, each with a 5 s timeout; the program is then stopped.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/collect/RawHttp.h"

using kestrune::testing::httpPost;
using kestrune::testing::tokenOf;

namespace {

constexpr int kSubjects = 60;
constexpr int kPairs = 10;  // 色彩の印象: 5 panels, 8 image words
const std::string kValues = "01100101";

long statusKilobytes(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return 0;
}

struct Running {
    pid_t pid = -1;
    int port = 0;
    std::string code;
};

Running startProgram(const std::filesystem::path& disk) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    Running running;
    running.pid = fork();
    if (running.pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl(KESTRUNE_CLI, KESTRUNE_CLI, "--root", disk.c_str(), "collect", "色彩の印象", "mix", "負荷",
              "--bind", "127.0.0.1", "--port", "0", "--yes", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The first line is the URL; the log that follows goes unread into a pipe that is drained.
    FILE* out = fdopen(fds[0], "r");
    char line[512] = {};
    if (!fgets(line, sizeof line, out))
        return running;
    const std::string url(line);
    const std::string prefix = "URL: http://127.0.0.1:";
    const std::size_t slash = url.find('/', prefix.size());
    running.port = std::stoi(url.substr(prefix.size(), slash - prefix.size()));
    running.code = url.substr(slash, url.find_first_of("\r\n") - slash);
    std::thread([out] {
        char buffer[4096];
        while (fread(buffer, 1, sizeof buffer, out) > 0) {
        }
        fclose(out);
    }).detach();
    return running;
}

// state.range(0): the pause in milliseconds a subject takes around each pair (half to one and a
// half times it); 0 sends every answer at once, far faster than any person answers.
void BM_CollectSixtySubjectsAtOnce(benchmark::State& state) {
    const int pauseMs = static_cast<int>(state.range(0));
    const std::filesystem::path disk = std::filesystem::temp_directory_path() / "kestrune-collect-load";
    std::vector<double> roundTrips;
    double memoryMb = 0;
    int refused = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(disk);
        std::filesystem::copy(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk", disk,
                              std::filesystem::copy_options::recursive);
        const Running program = startProgram(disk);
        if (program.port == 0) {
            state.SkipWithError("kestrune-cli collect did not start");
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const long idle = statusKilobytes(program.pid, "VmRSS");
        state.ResumeTiming();

        std::vector<std::vector<double>> times(kSubjects);
        std::vector<int> failures(kSubjects, 0);
        std::vector<std::thread> subjects;
        for (int s = 0; s < kSubjects; ++s) {
            subjects.emplace_back([&, s] {
                const std::string source = "127.0.0." + std::to_string(s + 2);
                const std::string token =
                    tokenOf(httpPost(program.port, program.code + "/join", "", source.c_str()));
                std::uint64_t seed = static_cast<std::uint64_t>(s) * 2654435761u + 1;
                for (int pair = 0; pair < kPairs; ++pair) {
                    if (pauseMs > 0) {
                        seed = seed * 6364136223846793005u + 1442695040888963407u;
                        const auto pause =
                            pauseMs / 2 +
                            static_cast<int>((seed >> 33) % static_cast<std::uint64_t>(pauseMs));
                        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
                    }
                    const auto start = std::chrono::steady_clock::now();
                    const int status =
                        httpPost(program.port, program.code + "/answer",
                                 "token=" + token + "&pair=" + std::to_string(pair) + "&values=" + kValues,
                                 source.c_str())
                            .status;
                    times[static_cast<std::size_t>(s)].push_back(
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                            .count());
                    failures[static_cast<std::size_t>(s)] += status != 200;
                }
            });
        }
        for (std::thread& subject : subjects)
            subject.join();

        state.PauseTiming();
        const long peak = statusKilobytes(program.pid, "VmHWM");
        memoryMb = std::max(memoryMb, static_cast<double>(peak - idle) / 1024.0);
        kill(program.pid, SIGTERM);
        waitpid(program.pid, nullptr, 0);
        for (int s = 0; s < kSubjects; ++s) {
            roundTrips.insert(roundTrips.end(), times[static_cast<std::size_t>(s)].begin(),
                              times[static_cast<std::size_t>(s)].end());
            refused += failures[static_cast<std::size_t>(s)];
        }
        state.ResumeTiming();
    }
    std::filesystem::remove_all(disk);
    std::sort(roundTrips.begin(), roundTrips.end());
    if (!roundTrips.empty()) {
        state.counters["answers"] = static_cast<double>(roundTrips.size());
        state.counters["median_ms"] = roundTrips[roundTrips.size() / 2];
        state.counters["p99_ms"] = roundTrips[std::min(roundTrips.size() - 1, roundTrips.size() * 99 / 100)];
        state.counters["peak_over_idle_MB"] = memoryMb;
        state.counters["refused"] = refused;
    }
}
BENCHMARK(BM_CollectSixtySubjectsAtOnce)->Arg(0)->Arg(200)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
