#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/RegularFile.h"

namespace Platform {
namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMostLinksFollowed = 40;

// The file a path names once its links are followed: a settings file kept as a link (in a
// dotfiles folder) is written where it points, and stays a link.
bool followLinks(const std::string& path, std::filesystem::path& target, std::string& why) {
    namespace fs = std::filesystem;
    target = path;
    std::error_code error;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, error)); ++links) {
        if (links == kMostLinksFollowed) {
            why = std::strerror(ELOOP);
            return false;
        }
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
            why = error.message();
            return false;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return true;
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& contents, std::string& why) {
    why.clear();
    std::filesystem::path target;
    if (!followLinks(path, target, why)) return false;
    std::error_code error;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    const std::string written = target.string() + ".new";
    std::FILE* file = createAlone(written, target.string(), why);
    if (!file) return false;
    const bool whole = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() &&
                       std::fflush(file) == 0 && syncToDisk(file);
    if (!whole) why = std::strerror(errno);
    if (std::fclose(file) != 0 && whole) why = std::strerror(errno);
    if (why.empty()) putInPlace(written, target.string(), why);
    if (why.empty()) return true;
    std::remove(written.c_str());
    return false;
}

}  // namespace Platform
