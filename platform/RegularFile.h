#pragma once

#include <istream>
#include <memory>
#include <streambuf>
#include <string>

namespace Platform {

// A file the game reads (settings, recordings), opened only when it is a regular file. A FIFO, a
// device or a folder in its place would block the game or never end, so it is refused before a
// byte is read; a symbolic link is followed, and a loop of them is refused like any unreadable
// path.
class RegularFile {
public:
    RegularFile();
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // False when nothing is there, the file cannot be read or is not a regular file; why() then
    // says which in a few words ("No such file or directory", "a folder stands there").
    bool open(const std::string& path);
    // The failed open found nothing at the path.
    bool isMissing() const { return missing; }
    const std::string& why() const { return reason; }
    // The open file's bytes.
    std::istream& stream() { return in; }

private:
    // The system's own reading of the file, made by open (a file per system).
    std::unique_ptr<std::streambuf> bytes;
    std::istream in{nullptr};
    bool missing = false;
    std::string reason;
};

}  // namespace Platform
