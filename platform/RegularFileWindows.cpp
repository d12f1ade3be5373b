#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/RegularFile.h"

namespace Platform {
namespace {

// Windows has no FIFOs among a player's files, but devices such as NUL: the kind is asked first.
std::string kindProblem(const std::string& path, bool& missing) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    missing = status.type() == std::filesystem::file_type::not_found;
    if (missing) return "No such file or directory";
    if (error) return error.message();
    if (status.type() == std::filesystem::file_type::regular) return "";
    return status.type() == std::filesystem::file_type::directory ? "a folder stands there"
                                                                  : "not a regular file";
}

}  // namespace

RegularFile::RegularFile() = default;

RegularFile::~RegularFile() = default;

bool RegularFile::open(const std::string& path) {
    reason = kindProblem(path, missing);
    if (!reason.empty()) return false;
    auto file = std::make_unique<std::filebuf>();
    if (!file->open(path, std::ios::in | std::ios::binary)) {
        reason = "cannot be opened";
        return false;
    }
    bytes = std::move(file);
    in.rdbuf(bytes.get());
    return true;
}

// The C++ library's file buffer tells no read error apart from the file's end.
std::string RegularFile::readError() const {
    return {};
}

std::string whyNotWritable(const std::string& path) {
    bool missing = false;
    const std::string problem = kindProblem(path, missing);
    return missing ? "" : problem;
}

std::FILE* openForWriting(const std::string& path, std::string& why) {
    why = whyNotWritable(path);
    if (!why.empty()) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) why = std::strerror(errno);
    return file;
}

// A player's folders hold no links on Windows, and a file's mode is one read-only flag that
// MoveFileEx would refuse to replace: the new file takes the defaults.
std::FILE* createAlone(const std::string& path, const std::string&, std::string& why) {
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        why = "a file left there cannot be removed";
        return nullptr;
    }
    const int fd =
        _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (!file) {
        why = std::strerror(errno);
        if (fd >= 0) _close(fd);
    }
    return file;
}

// putInPlace moves the file with MOVEFILE_WRITE_THROUGH, which takes its bytes to the disk.
bool syncToDisk(std::FILE*) {
    return true;
}

// Replaces the old file in one step, through to the disk.
void putInPlace(const std::string& from, const std::string& to, std::string& why) {
    if (!MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        why = "the new file could not take the old one's place";
    }
}

}  // namespace Platform
