#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/RegularFile.h"

namespace fs = std::filesystem;

namespace {

// A folder of every kind of thing a player may name where a file is expected.
class RegularFileTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder);
        std::ofstream(folder / "file") << "text\n";
        fs::create_directory(folder / "folder");
        ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
        fs::create_symlink(folder / "loop-a", folder / "loop-b");
        fs::create_symlink(folder / "loop-b", folder / "loop-a");
        fs::create_symlink(folder / "file", folder / "link");
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder = fs::temp_directory_path() / ("kelvarin-files-" + std::to_string(getpid()));
};

}  // namespace

// Only a regular file opens; nothing else blocks (a FIFO without a writer would wait forever) or
// streams without end (a device).
TEST_F(RegularFileTest, OnlyARegularFileOpensAndNothingElseBlocks) {
    const struct {
        std::string path;
        bool opens;
        bool missing;
        const char* why;
    } cases[] = {
        {(folder / "file").string(), true, false, ""},
        {(folder / "link").string(), true, false, ""},
        {(folder / "none").string(), false, true, "No such file or directory"},
        {(folder / "folder").string(), false, false, "a folder stands there"},
        {(folder / "fifo").string(), false, false, "not a regular file"},
        {"/dev/zero", false, false, "not a regular file"},
        {(folder / "loop-a").string(), false, false, "Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        Platform::RegularFile file;
        EXPECT_EQ(file.open(c.path), c.opens) << c.path;
        EXPECT_EQ(file.isMissing(), c.missing) << c.path;
        EXPECT_EQ(file.why(), c.why) << c.path;
    }
    Platform::RegularFile file;
    ASSERT_TRUE(file.open((folder / "file").string()));
    std::string line;
    EXPECT_TRUE(std::getline(file.stream(), line));
    EXPECT_EQ(line, "text");
}
