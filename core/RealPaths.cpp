#include "core/RealPaths.h"

#include <vector>

namespace kestrune {

namespace fs = std::filesystem;

std::optional<fs::path> followLinks(const fs::path& path) {
    std::error_code error;
    fs::path current = fs::absolute(path, error);
    if (error)
        return std::nullopt;
    // As many hops as the kernel follows before it gives up with ELOOP.
    for (int hop = 0; hop < 40; ++hop) {
        const fs::path resolved = fs::weakly_canonical(current, error);
        if (error)
            return std::nullopt;
        // weakly_canonical follows every link that leads somewhere; a link left in the result
        // leads to a place that does not exist yet and is followed by hand.
        const std::vector<fs::path> parts(resolved.begin(), resolved.end());
        fs::path prefix;
        bool followed = false;
        for (std::size_t i = 0; i < parts.size() && !followed; ++i) {
            prefix /= parts[i];
            if (i == 0 || !fs::is_symlink(fs::symlink_status(prefix, error)))
                continue;
            const fs::path target = fs::read_symlink(prefix, error);
            if (error)
                return std::nullopt;
            fs::path next = target.is_absolute() ? target : prefix.parent_path() / target;
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                next /= parts[j];
            current = next;
            followed = true;
        }
        if (!followed)
            return resolved;
    }
    return std::nullopt;
}

bool liesWithin(const fs::path& path, const fs::path& directory) {
    const fs::path relative = path.lexically_relative(directory);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace kestrune
