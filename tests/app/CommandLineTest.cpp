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

TEST(CommandLine, NoOptionsPlaysTheGame) {
    EXPECT_EQ(parse({}).action, CommandLine::Action::Play);
}

TEST(CommandLine, HelpAndVersionAreRecognised) {
    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::ShowHelp);
    EXPECT_EQ(parse({"--version"}).action, CommandLine::Action::ShowVersion);
    EXPECT_EQ(CommandLine::versionLine(), "kelvarin " KELVARIN_VERSION);
}

TEST(CommandLine, AnUnknownOptionIsRefusedByName) {
    for (const char* bad : {"--windowed", "-x", "play", "--help=now"}) {
        const CommandLine::Parsed parsed = parse({bad});
        EXPECT_EQ(parsed.action, CommandLine::Action::Refuse) << bad;
        EXPECT_NE(parsed.error.find(bad), std::string::npos) << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

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
        {{"--sensitivity", "10"}, Action::Play, ""},
        {{"--record", "x.rec", "--help"}, Action::ShowHelp, ""},
        {{"--nope", "--help"}, Action::ShowHelp, ""},
        {{"--sensitivity", "abc", "--version"}, Action::ShowVersion, ""},
        {{"--sensitivity", ""},
         Action::Refuse,
         "kelvarin: option '--sensitivity' needs a number above 0, up to 10" + hint},
        {{"--sensitivity", "1e-300"},
         Action::Refuse,
         "kelvarin: option '--sensitivity' needs a number above 0, up to 10, not '1e-300'" + hint},
        {{"--record"}, Action::Refuse, "kelvarin: option '--record' needs a file" + hint},
        {{"--replay", ""}, Action::Refuse, "kelvarin: option '--replay' needs a file" + hint},
        {{"\x1b[2J"}, Action::Refuse, "kelvarin: unknown option '\\x1b[2J'" + hint},
    };
    for (const auto& c : cases) {
        const CommandLine::Parsed parsed = parse(c.args);
        EXPECT_EQ(parsed.action, c.action) << c.args[0];
        EXPECT_EQ(parsed.error, c.error) << c.args[0];
    }
    EXPECT_EQ(parse({"--sensitivity", "10"}).sensitivity, 10.0f);
}

TEST(CommandLine, TheUsageNamesTheControlsOptionsAndMediaFolders) {
    const std::string usage = CommandLine::usage();
    for (const char* part : {"Usage: kelvarin", "Spacebar", "Escape", "--version", "--help",
                             "KELVARIN_DATA_DIR", "share/kelvarin"}) {
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    }
}
