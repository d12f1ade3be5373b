#include <gtest/gtest.h>

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

TEST(CommandLine, TheUsageNamesTheControlsOptionsAndMediaFolders) {
    const std::string usage = CommandLine::usage();
    for (const char* part : {"Usage: kelvarin", "Spacebar", "Escape", "--version", "--help",
                             "KELVARIN_DATA_DIR", "share/kelvarin"}) {
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    }
}
