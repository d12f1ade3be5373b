// Replacing a file whole, as the settings are kept: the system calls it makes are watched by
// standing in for fsync and rename, which then do what the system does.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/RegularFile.h"

namespace fs = std::filesystem;

namespace {

// "sync PATH SIZE" and "rename FROM TO", in the order they came.
std::vector<std::string> calls;

std::string pathOf(int fd) {
    char target[PATH_MAX] = {};
    const ssize_t length =
        readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target - 1);
    return std::string(target, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

extern "C" int fsync(int fd) {
    static const auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    struct stat info {};
    fstat(fd, &info);
    calls.push_back("sync " + pathOf(fd) + " " + std::to_string(info.st_size));
    return system(fd);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto system =
        reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    calls.push_back(std::string("rename ") + from + " " + to);
    return system(from, to);
}

// The new file is flushed to the disk whole before it takes the old one's place; a link is
// written through, a link where the new file is made is never followed, and the mode stays.
TEST(ReplaceFile, TheNewFileIsMadeAloneFlushedThenRenamedAndTheOldOnesLinkAndModeStay) {
    const fs::path folder =
        fs::temp_directory_path() / ("kelvarin-replace-" + std::to_string(getpid()));
    fs::create_directories(folder / "dotfiles");
    const fs::path path = folder / "settings.ini";
    const fs::path kept = folder / "dotfiles" / "settings.ini";
    const fs::path other = folder / "other";
    std::ofstream(kept) << "old\n";
    std::ofstream(other) << "someone else's\n";
    fs::create_symlink("dotfiles/settings.ini", path);
    fs::create_symlink(other, kept.string() + ".new");
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    calls.clear();
    std::string why;
    ASSERT_TRUE(Platform::replaceFile(path.string(), "new\n", why)) << why;
    const std::vector<std::string> expected = {"sync " + kept.string() + ".new 4",
                                               "rename " + kept.string() + ".new " + kept.string()};
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(contentsOf(path), "new\n");
    EXPECT_EQ(contentsOf(other), "someone else's\n");
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(fs::exists(fs::symlink_status(kept.string() + ".new")));
    fs::remove_all(folder);
}
