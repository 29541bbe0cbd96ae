#include "collect/RateLimiter.h"

#include <algorithm>

namespace kestrune::collect {

bool RateLimiter::allow(const std::string& address) {
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    // Full buckets hold nothing worth keeping; dropping them bounds the table.
    if (buckets_.size() > 4096) {
        std::erase_if(buckets_, [&](const auto& item) {
            return std::chrono::duration<double>(now - item.second.at).count() * perSecond_ >= burst_;
        });
    }
    auto [it, added] = buckets_.try_emplace(address, Bucket{burst_, now});
    Bucket& bucket = it->second;
    if (!added) {
        const double elapsed = std::chrono::duration<double>(now - bucket.at).count();
        bucket.tokens = std::min(burst_, bucket.tokens + elapsed * perSecond_);
        bucket.at = now;
    }
    if (bucket.tokens < 1)
        return false;
    bucket.tokens -= 1;
    return true;
}

}  // namespace kestrune::collect
