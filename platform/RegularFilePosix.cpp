#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/RegularFile.h"

namespace Platform {
namespace {

// The file's bytes through read(2), from a descriptor that is closed with the buffer.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd(fd) {}
    ~DescriptorBuffer() override { ::close(fd); }
    int readErrno() const { return failedWith; }

protected:
    int_type underflow() override {
        ssize_t count = 0;
        do {
            count = ::read(fd, bytes, sizeof bytes);
        } while (count < 0 && errno == EINTR);
        if (count < 0) failedWith = errno;
        if (count <= 0) return traits_type::eof();
        setg(bytes, bytes, bytes + count);
        return traits_type::to_int_type(bytes[0]);
    }

private:
    static constexpr std::size_t kSize = 4096;
    int fd;
    int failedWith = 0;
    char bytes[kSize];
};

const char* kindProblem(const struct stat& info) {
    if (S_ISREG(info.st_mode)) return nullptr;
    return S_ISDIR(info.st_mode) ? "a folder stands there" : "not a regular file";
}

// Asked before opening, as some systems' open waits on a FIFO whatever the flags (node's does),
// and again of the open file, which may have been swapped meanwhile.
bool isRegular(int fd, std::string& why) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        why = std::strerror(errno);
        return false;
    }
    const char* problem = kindProblem(info);
    if (problem) why = problem;
    return !problem;
}

}  // namespace

RegularFile::RegularFile() = default;

RegularFile::~RegularFile() = default;

bool RegularFile::open(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        missing = errno == ENOENT;
        reason = std::strerror(errno);
        return false;
    }
    if (const char* problem = kindProblem(info)) {
        reason = problem;
        return false;
    }
    // Not blocking: opening a FIFO waits for a writer otherwise.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        reason = std::strerror(errno);
        return false;
    }
    if (!isRegular(fd, reason)) {
        ::close(fd);
        return false;
    }
    bytes = std::make_unique<DescriptorBuffer>(fd);
    in.rdbuf(bytes.get());
    return true;
}

std::string RegularFile::readError() const {
    const auto* buffer = static_cast<const DescriptorBuffer*>(bytes.get());
    return buffer && buffer->readErrno() != 0 ? std::strerror(buffer->readErrno()) : "";
}

std::string whyNotWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? "" : std::strerror(errno);
    const char* problem = kindProblem(info);
    return problem ? problem : "";
}

std::FILE* openForWriting(const std::string& path, std::string& why) {
    why = whyNotWritable(path);
    if (!why.empty()) return nullptr;
    // Emptied only once known to be a regular file.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    if (!isRegular(fd, why) || ftruncate(fd, 0) != 0 ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        if (why.empty()) why = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "w");
    if (!file) {
        why = std::strerror(errno);
        ::close(fd);
    }
    return file;
}

std::FILE* createAlone(const std::string& path, const std::string& modelOf, std::string& why) {
    // Whatever stands there (a file left by a crash, a link planted to have another file
    // overwritten) goes; the new one is made afresh, and never through a link.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        why = std::strerror(errno);
        return nullptr;
    }
    constexpr mode_t kNewFileMode = 0666;
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    constexpr mode_t kPermissionBits = 07777;
    struct stat model {};
    const bool modelled = ::stat(modelOf.c_str(), &model) == 0;
    std::FILE* file =
        modelled && fchmod(fd, model.st_mode & kPermissionBits) != 0 ? nullptr : fdopen(fd, "w");
    if (!file) {
        why = std::strerror(errno);
        ::close(fd);
        ::unlink(path.c_str());
    }
    return file;
}

bool syncToDisk(std::FILE* file) {
    return fsync(fileno(file)) == 0;
}

void putInPlace(const std::string& from, const std::string& to, std::string& why) {
    if (std::rename(from.c_str(), to.c_str()) != 0) why = std::strerror(errno);
}

}  // namespace Platform
