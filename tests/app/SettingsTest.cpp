#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/Settings.h"
#include "app/SettingsKeeper.h"
#include "input/Keys.h"
#include "platform/System.h"

using namespace std::string_literals;

namespace {

Settings::Read parse(const std::string& text) {
    std::istringstream in(text);
    return Settings::parse(in, "settings.ini");
}

}  // namespace

TEST(Settings, ReadsEveryKeyThroughCommentsBlanksAndWindowsLineEnds) {
    // Two keys change places in either order of lines.
    const Settings::Read read = parse(
        "# the player's own\r\n\r\n  fullscreen = yes\r\nsensitivity=2.5 # faster\r\n"
        "invert_y = true\r\npad_look_speed = 0.5\r\nmusic_volume = 30\r\nrewind = toggle\r\n"
        "key.rewind = W\r\nkey.forward = space\r\nkey.fire = Left Ctrl\r\n");
    EXPECT_TRUE(read.problems.empty()) << read.problems.front();
    EXPECT_TRUE(read.values.fullscreen);
    EXPECT_EQ(read.values.look.sensitivity, 2.5f);
    EXPECT_TRUE(read.values.look.invertY);
    EXPECT_EQ(read.values.padLookSpeed, 0.5f);
    EXPECT_EQ(read.values.musicVolume, 30);
    EXPECT_TRUE(read.values.rewindToggles);
    EXPECT_EQ(read.values.keys[Action::Rewind], 'W');
    EXPECT_EQ(read.values.keys[Action::Forward], Platform::kKeySpace);
    EXPECT_EQ(read.values.keys[Action::Fire], Platform::kKeyLCtrl);
    const Settings::Read empty = parse("");
    EXPECT_TRUE(empty.problems.empty());
    EXPECT_EQ(empty.values.look, LookSettings());
    EXPECT_FALSE(empty.values.fullscreen);
}

// A line it cannot use is named by file and line and leaves its key at the default; the other
// lines still count.
TEST(Settings, EachBadLineIsNamedAndKeepsItsDefault) {
    const Settings::Read read = parse(
        "sensitivity = 3\ncolour = red\nsensitivity = 0\ninvert_y = maybe\nfullscreen\n"
        "scene = castle\nkey.fire = F11\nfullscreen = on\nmusic_volume = 101\n"
        "rewind = sometimes\nkey.forward = Hyper\nkey.forward = Space\n");
    const std::vector<std::string> expected = {
        "settings.ini:2: unknown setting 'colour'",
        "settings.ini:3: sensitivity is a number above 0, up to 10",
        "settings.ini:4: invert_y is true or false",
        "settings.ini:5: not a 'key = value' line",
        "settings.ini:6: scene: 'castle' is not a scene: " + SceneLayout::described(),
        "settings.ini:7: key.fire: F11 switches between the window and fullscreen",
        "settings.ini:9: music_volume is a whole number from 0 to 100",
        "settings.ini:10: rewind is hold or toggle",
        "settings.ini:11: key.forward is the name of a key or mouse button, such as W, Space, "
        "Left Shift, F5 or Right click",
        "settings.ini:12: key.forward: Space is the key of rewind already",
    };
    EXPECT_EQ(read.problems, expected);
    EXPECT_EQ(read.values.look.sensitivity, 3.0f);
    EXPECT_FALSE(read.values.look.invertY);
    EXPECT_TRUE(read.values.fullscreen);
    EXPECT_EQ(read.values.keys, Controls::defaultKeys());
    EXPECT_EQ(read.values.scene, SceneLayout::Choice{});
}

// What the options change goes into the player's file, and nothing else of it changes: comments,
// unknown lines, line ends and the byte-order mark stay as they stand.
TEST(Settings, TheOptionsChangedAreWrittenIntoTheFileAndTheRestStays) {
    const std::string file =
        "\xef\xbb\xbf# mine\r\nsensitivity=2.5 # faster\r\ncolour = red\r\nkey.rewind = G\r\n";
    const Settings::Values before = parse(file).values;
    Settings::Values after = before;
    after.look.sensitivity = 3.0f;
    after.musicVolume = 40;
    std::swap(after.keys[Action::Forward], after.keys[Action::Rewind]);
    EXPECT_EQ(Settings::rewrite(file, before, after),
              "\xef\xbb\xbf# mine\r\nsensitivity = 3 # faster\r\ncolour = red\r\nkey.rewind = W\r\n"
              "music_volume = 40\nkey.forward = G\n");
    EXPECT_EQ(parse(Settings::rewrite(file, before, after)).values, after);
    EXPECT_EQ(Settings::rewrite(file, before, before), file);
    // The file keeps its own values where the run played others (a command line's).
    Settings::Values played = before;
    played.fullscreen = true;
    Settings::Values changed = played;
    changed.look.invertY = true;
    const Settings::Values kept = Settings::carried(before, played, changed);
    EXPECT_FALSE(kept.fullscreen);
    EXPECT_TRUE(kept.look.invertY);
}

// The page's options set one setting at a time, as the file says it, and keys change places as in
// the overlay: every action keeps a key (or mouse button), and the file written reads back as
// played.
TEST(Settings, OneSettingIsSetAsTheFileSaysItOrRefused) {
    Settings::Values values;
    EXPECT_EQ(Settings::set(values, "music_volume", "30"), "");
    EXPECT_EQ(values.musicVolume, 30);
    EXPECT_EQ(Settings::set(values, "key.fire", "A"), "");
    EXPECT_EQ(values.keys[Action::Left], Keys::mouseButton(Platform::kMouseButtonLeft));
    const std::string file = Settings::rewrite("", Settings::Values(), values);
    EXPECT_EQ(file, "music_volume = 30\nkey.left = Left click\nkey.fire = A\n");
    EXPECT_EQ(parse(file).values, values);
    EXPECT_TRUE(parse(file).problems.empty());
    EXPECT_EQ(Settings::set(values, "key.forward", "A"), "");
    EXPECT_EQ(values.keys[Action::Forward], 'A');
    EXPECT_EQ(values.keys[Action::Fire], 'W');
    EXPECT_EQ(Settings::set(values, "music_volume", "101"),
              "music_volume is a whole number from 0 to 100");
    EXPECT_EQ(Settings::set(values, "colour", "red"), "unknown setting 'colour'");
    EXPECT_EQ(values.musicVolume, 30);
    const auto written = Settings::written(values);
    EXPECT_NE(std::find(written.begin(), written.end(),
                        std::pair<std::string, std::string>("key.fire", "W")),
              written.end());
}

// A file is only ever replaced by a whole new one, its folder made when missing; where nothing
// can be written the game is told why.
TEST(Settings, SavingReplacesTheFileWholeOrSaysWhyNot) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kelvarin-saved-" + std::to_string(getpid()));
    const std::string path = (folder / "kelvarin" / "settings.ini").string();
    Settings::Values after;
    after.musicVolume = 0;
    std::string why;
    EXPECT_TRUE(Settings::save(path, Settings::Values(), after, why)) << why;
    EXPECT_EQ(Settings::readFile(path).values.musicVolume, 0);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(Settings::save(path, Settings::Values(), after, why));
    EXPECT_EQ(why, "a folder stands there");
    std::filesystem::remove_all(path);
    // A file as long as the game reads is kept too; one byte more is not the game's to rewrite.
    const std::string line = "music_volume = 50\n";
    for (const std::size_t size : {Settings::kMaxFileBytes, Settings::kMaxFileBytes + 1}) {
        std::ofstream(path) << line << "#" << std::string(size - line.size() - 2, '.') << "\n";
        const bool saved = Settings::save(path, Settings::Values(), after, why);
        EXPECT_EQ(saved, size == Settings::kMaxFileBytes) << size << ": " << why;
        EXPECT_EQ(Settings::readFile(path).values.musicVolume, saved ? 0 : 50) << size;
    }
    std::filesystem::remove_all(folder);
}

// The keeper writes each change against what it wrote last: back to the start is written too.
TEST(Settings, TheKeeperWritesEveryChangeAgainstWhatItLastWrote) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kelvarin-kept-" + std::to_string(getpid())))
            .string();
    SettingsKeeper keeper(path, Settings::Values());
    Settings::Values played;
    for (const int volume : {90, 100}) {
        Settings::Values next = played;
        next.musicVolume = volume;
        keeper.keep(played, next);
        played = next;
        EXPECT_EQ(Settings::readFile(path).values.musicVolume, volume);
    }
    std::filesystem::remove(path);
}

// Each line a player, an editor or a stray file may hold: the sensitivity taken from it (1, the
// default, when it is refused) and the problems named, text from the file escaped.
TEST(Settings, EveryLineIsTakenOrNamedAndRefusedLinesKeepTheDefault) {
    const std::string refused = "settings.ini:1: sensitivity is a number above 0, up to 10";
    const struct {
        std::string text;
        float sensitivity;
        std::vector<std::string> problems;
    } cases[] = {
        {"sensitivity = 10\n", 10.0f, {}},
        {"\tsensitivity\t=\t2\t\n", 2.0f, {}},
        {"sensitivity = 1e-300\n", 1.0f, {refused}},
        {"\xef\xbb\xbfsensitivity = 2\r\n", 2.0f, {}},
        {"\x1b[31mred = 1\n", 1.0f, {"settings.ini:1: unknown setting '\\x1b[31mred'"}},
        {"# " + std::string(Settings::kMaxLineBytes, '#') + "\nsensitivity = 4\n",
         4.0f,
         {"settings.ini:1: a line longer than 1024 bytes"}},
    };
    for (const auto& c : cases) {
        const Settings::Read read = parse(c.text);
        EXPECT_EQ(read.values.look.sensitivity, c.sensitivity) << c.text;
        EXPECT_EQ(read.problems, c.problems) << c.text;
    }
}

// A file of junk costs a bounded read and a bounded say.
TEST(Settings, OnlyTheFirstBytesAreReadAndTheFirstProblemsNamed) {
    std::string junk;
    for (int i = 0; i < 100000; ++i) junk += "bad\n";
    const Settings::Read read = parse(junk);
    ASSERT_EQ(read.problems.size(), static_cast<std::size_t>(Settings::kMaxProblemsNamed) + 2);
    EXPECT_EQ(read.problems[9], "settings.ini:10: not a 'key = value' line");
    EXPECT_EQ(read.problems[10], "settings.ini: 16374 more lines could not be used");
    EXPECT_EQ(read.problems[11], "settings.ini: only its first 65536 bytes are read");
}

TEST(Settings, AMissingFileIsSilentAndAFolderInItsPlaceIsNamed) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kelvarin-settings-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(Settings::readFile((folder / "none.ini").string()).problems.empty());
    const Settings::Read read = Settings::readFile(folder.string());
    // A FIFO would block the start for good: it is named, not opened.
    const std::string fifo = (folder / "settings.ini").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const Settings::Read fromFifo = Settings::readFile(fifo);
    std::filesystem::remove_all(folder);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(
        read.problems[0],
        folder.string() + ":1: cannot be read (a folder stands there); the defaults are used");
    EXPECT_EQ(read.values.look, LookSettings());
    ASSERT_EQ(fromFifo.problems.size(), 1u);
    EXPECT_EQ(fromFifo.problems[0],
              fifo + ":1: cannot be read (not a regular file); the defaults are used");
    // A file that fails while being read (here at an address nothing is mapped at).
    EXPECT_EQ(Settings::readFile("/proc/self/mem").problems,
              std::vector<std::string>{
                  "/proc/self/mem:1: cannot be read (Input/output error); the defaults are used"});
}

TEST(Settings, TheFileLivesInTheUsersConfigurationFolder) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(Platform::settingsFilePath(), "/cfg/kelvarin/settings.ini");
    const std::string inHome = std::string(std::getenv("HOME")) + "/.config/kelvarin/settings.ini";
    // Empty and relative count as unset.
    for (const char* ignored : {"", "cfg"}) {
        setenv("XDG_CONFIG_HOME", ignored, 1);
        EXPECT_EQ(Platform::settingsFilePath(), inHome) << ignored;
    }
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Platform::settingsFilePath(), inHome);
    if (saved) setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
}
