#pragma once

#include <cstdio>
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
    bool isOpen() const { return bytes != nullptr; }
    // The failed open found nothing at the path.
    bool isMissing() const { return missing; }
    const std::string& why() const { return reason; }
    // The open file's bytes; they end early at a read error.
    std::istream& stream() { return in; }
    // What the system said of a failed read; empty while none failed.
    std::string readError() const;

private:
    // The system's own reading of the file, made by open (a file per system).
    std::unique_ptr<std::streambuf> bytes;
    std::istream in{nullptr};
    bool missing = false;
    std::string reason;
};

// A file the game writes (a recording, the bricks, a picture) is a regular file or nothing yet:
// a FIFO or a device would block the game or swallow what it writes. Empty when the path may be
// written, else why not ("not a regular file", "a folder stands there").
std::string whyNotWritable(const std::string& path);
// Creates or empties the file for writing, never blocking; null, with why set, when it cannot.
std::FILE* openForWriting(const std::string& path, std::string& why);
// Puts contents in the file's place whole or not at all: written beside it, flushed to the disk,
// then renamed over it; its folder is made when missing. A link is written through to the file it
// names, which keeps its mode. False, with why, when it cannot.
bool replaceFile(const std::string& path, const std::string& contents, std::string& why);

// Each system's part of replaceFile: a new file of its own at path, whatever stood there (a link
// is never followed), with the mode of the file modelOf where there is one; flushing a written
// file's bytes to the disk; and putting the new file in the old one's place in one step (why set
// when it cannot).
std::FILE* createAlone(const std::string& path, const std::string& modelOf, std::string& why);
bool syncToDisk(std::FILE* file);
void putInPlace(const std::string& from, const std::string& to, std::string& why);

}  // namespace Platform
