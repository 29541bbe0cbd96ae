#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace kestrune::collect {

// A token bucket per client address, in memory only and only while the session runs.
class RateLimiter {
  public:
    RateLimiter(double burst, double perSecond) : burst_(burst), perSecond_(perSecond) {}
    bool allow(const std::string& address);

  private:
    struct Bucket {
        double tokens = 0;
        std::chrono::steady_clock::time_point at;
    };
    double burst_;
    double perSecond_;
    std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
};

}  // namespace kestrune::collect
