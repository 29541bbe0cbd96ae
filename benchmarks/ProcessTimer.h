#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace kestrune {

// A program started with its standard output thrown away.
class Process {
  public:
    explicit Process(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {
        for (std::string& argument : arguments_)
            argv_.push_back(argument.data());
        argv_.push_back(nullptr);
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    ~Process() { posix_spawn_file_actions_destroy(&actions_); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Runs it to its end; false if it could not start or did not exit with 0.
    bool run() const {
        pid_t child = 0;
        int status = 0;
        return posix_spawn(&child, argv_[0], &actions_, nullptr, argv_.data(), environ) == 0 &&
               waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const std::string& name() const { return arguments_.front(); }

    // Runs it and appends its wall time in milliseconds.
    bool timed(std::vector<double>& times) const {
        const auto start = std::chrono::steady_clock::now();
        const bool ran = run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        return ran;
    }

  private:
    std::vector<std::string> arguments_;
    std::vector<char*> argv_;
    posix_spawn_file_actions_t actions_;
};

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace kestrune
