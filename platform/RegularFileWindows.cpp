#include <filesystem>
#include <fstream>

#include "platform/RegularFile.h"

namespace Platform {

RegularFile::RegularFile() = default;

RegularFile::~RegularFile() = default;

// Windows has no FIFOs or devices among a player's files: the kind is asked first, then the file
// opened.
bool RegularFile::open(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    missing = status.type() == std::filesystem::file_type::not_found;
    if (missing) {
        reason = "No such file or directory";
        return false;
    }
    if (error) {
        reason = error.message();
        return false;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        reason = status.type() == std::filesystem::file_type::directory ? "a folder stands there"
                                                                        : "not a regular file";
        return false;
    }
    auto file = std::make_unique<std::filebuf>();
    if (!file->open(path, std::ios::in | std::ios::binary)) {
        reason = "cannot be opened";
        return false;
    }
    bytes = std::move(file);
    in.rdbuf(bytes.get());
    return true;
}

}  // namespace Platform
