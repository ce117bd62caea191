#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace corsel {
namespace {

CommandLine parse(std::vector<std::string> arguments) {
    return CommandLine::parse(arguments);
}

TEST(CommandLineTest, NothingGivenMeansTheRealModuleAndNoRecording) {
    const auto line = parse({});
    EXPECT_TRUE(line.error.empty());
    EXPECT_FALSE(line.simulate);
    EXPECT_FALSE(line.help);
    EXPECT_TRUE(line.recordingFile.empty());
}

TEST(CommandLineTest, SimulateTakesTheStandardScenarioUnlessNamed) {
    auto line = parse({"--simulate"});
    EXPECT_TRUE(line.simulate);
    EXPECT_EQ(line.scenario, "standard");
    EXPECT_TRUE(line.error.empty());

    line = parse({"--simulate=marine"});
    EXPECT_TRUE(line.simulate);
    EXPECT_EQ(line.scenario, "marine");

    EXPECT_FALSE(parse({"--simulate="}).error.empty());
    EXPECT_FALSE(parse({"--simulated"}).error.empty());
}

TEST(CommandLineTest, KeepsTheRecordingWhereverTheOptionsStand) {
    for (const auto& arguments :
         {std::vector<std::string>{"ride 1.rec", "--simulate"}, {"--simulate", "ride 1.rec"}}) {
        const auto line = parse(arguments);
        EXPECT_TRUE(line.error.empty());
        EXPECT_TRUE(line.simulate);
        EXPECT_EQ(line.recordingFile, "ride 1.rec");
    }
    // After "--" a name that starts like an option is a file name.
    EXPECT_EQ(parse({"--", "--simulate"}).recordingFile, "--simulate");
    EXPECT_FALSE(parse({"--", "--simulate"}).simulate);
    // A lone "-" is not an option either.
    EXPECT_EQ(parse({"-"}).recordingFile, "-");
}

TEST(CommandLineTest, RefusesUnknownOptionsAndASecondRecording) {
    auto line = parse({"--verbose"});
    EXPECT_NE(line.error.find("--verbose"), std::string::npos);
    line = parse({"-x", "--bogus"});
    EXPECT_NE(line.error.find("-x"), std::string::npos) << "the first fault is the one named";

    line = parse({"a.rec", "b.rec"});
    EXPECT_EQ(line.recordingFile, "a.rec");
    EXPECT_NE(line.error.find("b.rec"), std::string::npos);
}

TEST(CommandLineTest, ArgvSkipsTheProgramNameAndHelpIsSeenAnywhere) {
    const char* argv[] = {"/usr/bin/corsel-diagnostic-system", "--simulate", "log.rec", "-h"};
    const auto line = CommandLine::parse(4, argv);
    EXPECT_TRUE(line.simulate);
    EXPECT_EQ(line.recordingFile, "log.rec");
    EXPECT_TRUE(line.help);
}

}  // namespace
}  // namespace corsel
