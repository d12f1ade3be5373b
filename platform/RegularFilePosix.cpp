#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/RegularFile.h"

namespace Platform {
namespace {

// The file's bytes through read(2), from a descriptor that is closed with the buffer.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd(fd) {}
    ~DescriptorBuffer() override { ::close(fd); }

protected:
    int_type underflow() override {
        ssize_t count = 0;
        do {
            count = ::read(fd, bytes, sizeof bytes);
        } while (count < 0 && errno == EINTR);
        if (count <= 0) return traits_type::eof();
        setg(bytes, bytes, bytes + count);
        return traits_type::to_int_type(bytes[0]);
    }

private:
    static constexpr std::size_t kSize = 4096;
    int fd;
    char bytes[kSize];
};

}  // namespace

RegularFile::RegularFile() = default;

RegularFile::~RegularFile() = default;

bool RegularFile::open(const std::string& path) {
    // Not blocking: opening a FIFO waits for a writer otherwise.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        reason = std::strerror(errno);
        return false;
    }
    struct stat info {};
    const bool known = fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        reason = !known                  ? std::strerror(errno)
                 : S_ISDIR(info.st_mode) ? "a folder stands there"
                                         : "not a regular file";
        ::close(fd);
        return false;
    }
    bytes = std::make_unique<DescriptorBuffer>(fd);
    in.rdbuf(bytes.get());
    return true;
}

}  // namespace Platform
