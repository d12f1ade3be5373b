#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/MediaFolder.h"

namespace fs = std::filesystem;

namespace {

// Four candidate folders under a fresh temporary folder, none holding media/ yet, and a working
// folder without media/. The working folder is restored afterwards.
class MediaFolderTest : public testing::Test {
protected:
    void SetUp() override {
        start = fs::current_path();
        base = fs::temp_directory_path() / ("kelvarin-media-" + std::to_string(::getpid()));
        fs::remove_all(base);
        for (const char* name : {"work", "env", "exe/bin", "exe/share/kelvarin", "installed"}) {
            fs::create_directories(base / name);
        }
        fs::current_path(base / "work");
        folders = MediaFolder::candidates((base / "env").string(), (base / "exe/bin").string(),
                                          (base / "installed").string());
    }
    void TearDown() override {
        fs::current_path(start);
        fs::remove_all(base);
    }
    void giveMedia(const fs::path& folder) { fs::create_directories(folder / "media"); }
    static fs::path here() { return fs::canonical(fs::current_path()); }

    fs::path start;
    fs::path base;
    std::vector<fs::path> folders;
};

}  // namespace

TEST_F(MediaFolderTest, CandidatesComeInTheDocumentedOrder) {
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(folders[0], base / "env");
    EXPECT_EQ(folders[1], base / "exe/bin");
    EXPECT_EQ(folders[2], base / "exe/share/kelvarin");
    EXPECT_EQ(folders[3], base / "installed");
    // No environment variable and no known executable: only the installed folder is left.
    const auto few = MediaFolder::candidates("", "", (base / "installed").string());
    ASSERT_EQ(few.size(), 1u);
}

TEST_F(MediaFolderTest, AWorkingFolderWithMediaIsKept) {
    giveMedia(base / "work");
    giveMedia(base / "env");
    EXPECT_TRUE(MediaFolder::choose(folders).found);
    EXPECT_EQ(here(), fs::canonical(base / "work"));
}

TEST_F(MediaFolderTest, EachCandidateIsTakenWhenItIsTheFirstWithMedia) {
    // From the last candidate to the first, each one added wins over those after it.
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        giveMedia(*it);
        fs::current_path(base / "work");
        const MediaFolder::Outcome outcome = MediaFolder::choose(folders);
        EXPECT_TRUE(outcome.found);
        EXPECT_TRUE(outcome.message.empty());
        EXPECT_EQ(here(), fs::canonical(*it));
    }
}

TEST_F(MediaFolderTest, WithoutMediaAnywhereOneLineNamesEveryFolderTried) {
    const MediaFolder::Outcome outcome = MediaFolder::choose(folders);
    EXPECT_FALSE(outcome.found);
    EXPECT_EQ(outcome.message.find('\n'), std::string::npos);
    for (const fs::path& folder : folders) {
        EXPECT_NE(outcome.message.find(folder.string()), std::string::npos) << folder;
    }
    EXPECT_EQ(here(), fs::canonical(base / "work"));
}
