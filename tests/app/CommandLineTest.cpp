#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

CommandLine::Parsed parse(std::vector<const char*> args) {
    args.insert(args.begin(), "kelvarin");
    return CommandLine::parse(static_cast<int>(args.size()), args.data());
}

}  // namespace

// The game's command lines as a shell user types them: what each gives, and the one line that
// names a refusal.
TEST(CommandLine, EachCommandLineGivesItsActionOrOneLineNamingTheFault) {
    using CommandLine::Action;
    const std::string hint = " (kelvarin --help lists the options)";
    const struct {
        std::vector<const char*> args;
        Action action;
        std::string error;
    } cases[] = {
        {{}, Action::Play, ""},
        {{"--sensitivity", "10"}, Action::Play, ""},
        {{"--help"}, Action::ShowHelp, ""},
        {{"-h"}, Action::ShowHelp, ""},
        {{"--version"}, Action::ShowVersion, ""},
        {{"--record", "x.rec", "--help"}, Action::ShowHelp, ""},
        {{"--nope", "--help"}, Action::ShowHelp, ""},
        {{"--sensitivity", "abc", "--version"}, Action::ShowVersion, ""},
        // An option's value is never taken for an option of its own.
        {{"--record", "--version"}, Action::Play, ""},
        {{"--sensitivity", "--help"},
         Action::Refuse,
         "kelvarin: option '--sensitivity' needs a number above 0, up to 10, not '--help'" + hint},
        {{"--sensitivity", ""},
         Action::Refuse,
         "kelvarin: option '--sensitivity' needs a number above 0, up to 10" + hint},
        {{"--record"}, Action::Refuse, "kelvarin: option '--record' needs a file" + hint},
        {{"--replay", ""}, Action::Refuse, "kelvarin: option '--replay' needs a file" + hint},
        {{"--help=now"}, Action::Refuse, "kelvarin: unknown option '--help=now'" + hint},
        {{"\x1b[2J"}, Action::Refuse, "kelvarin: unknown option '\\x1b[2J'" + hint},
        {{"--scene", "pyramid"}, Action::Play, ""},
        {{"--scene", "big-wall:0x9"},
         Action::Refuse,
         "kelvarin: option '--scene' needs one of " + SceneLayout::described() +
             ", not 'big-wall:0x9'" + hint},
    };
    for (const auto& c : cases) {
        const CommandLine::Parsed parsed = parse(c.args);
        const std::string shown = c.args.empty() ? "" : c.args[0];
        EXPECT_EQ(parsed.outcome.action, c.action) << shown;
        EXPECT_EQ(parsed.outcome.error, c.error) << shown;
    }
    EXPECT_EQ(parse({"--sensitivity", "10"}).sensitivity, 10.0f);
    EXPECT_EQ(parse({"--record", "--version"}).recordPath, "--version");
    EXPECT_EQ(CommandLine::versionLine(), "kelvarin " KELVARIN_VERSION);
}

// Only what is given wins over the file: a switch left out leaves the file's setting alone.
TEST(CommandLine, OptionsWinOverTheFileWhereGiven) {
    Settings::Values file;
    file.look = {3.0f, true};
    const Settings::Values kept = CommandLine::withOptions(file, parse({}));
    EXPECT_EQ(kept.look, file.look);
    EXPECT_FALSE(kept.fullscreen);
    const Settings::Values played =
        CommandLine::withOptions(file, parse({"--fullscreen", "--sensitivity", "0.5"}));
    EXPECT_TRUE(played.fullscreen);
    EXPECT_EQ(played.look, (LookSettings{0.5f, true}));
}

TEST(CommandLine, TheUsageListsEveryOptionWithItsWords) {
    const std::string usage = CommandLine::usage();
    for (const char* part :
         {"Usage: kelvarin", "  --record FILE     write everything",
          "  --dump-bricks FILE  at exit", "  --invert-y        moving",
          "  Space (hold)      rewind time", "KELVARIN_DATA_DIR", "share/kelvarin"}) {
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    }
}
