#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/RegularFile.h"

namespace Platform {

bool replaceFile(const std::string& path, const std::string& contents, std::string& why) {
    std::error_code error;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    const std::string written = path + ".new";
    std::FILE* file = openForWriting(written, why);
    if (!file) return false;
    const bool whole = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() &&
                       std::fflush(file) == 0 && syncToDisk(file);
    if (!whole) why = std::strerror(errno);
    if (std::fclose(file) != 0 && whole) why = std::strerror(errno);
    if (why.empty()) putInPlace(written, path, why);
    if (why.empty()) return true;
    std::remove(written.c_str());
    return false;
}

}  // namespace Platform
