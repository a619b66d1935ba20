#include "sim_options.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

ParsedOptions parse(std::vector<std::string> args) {
  return parseOptions(args);
}

TEST(SimOptions, FolderAloneGivesTheDefaults) {
  const ParsedOptions p = parse({"--folder", "/tmp/x"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_EQ(p.options->folder, "/tmp/x");
  EXPECT_EQ(p.options->port, 1);
  EXPECT_EQ(p.options->rate, 1);
  EXPECT_FALSE(p.options->frames);
  EXPECT_FALSE(p.options->duration);
  EXPECT_FALSE(p.options->writeSettings);
  EXPECT_FALSE(p.options->split || p.options->pair);
  EXPECT_EQ(p.options->badChecksumEvery, 0u);
  EXPECT_EQ(p.options->garbageEvery, 0u);
  EXPECT_EQ(p.options->noBracketRun, 0u);
  EXPECT_FALSE(p.options->silenceAfter);
}

TEST(SimOptions, EveryOptionIsTakenInBothForms) {
  const ParsedOptions p = parse({"--folder=/f",
                                 "--port",
                                 "12",
                                 "--rate=2.5",
                                 "--seed",
                                 "7",
                                 "--frames",
                                 "30",
                                 "--duration=4.5",
                                 "--write-settings",
                                 "--sent-log",
                                 "/f/sent.txt",
                                 "--bad-checksum-every=3",
                                 "--split",
                                 "--pair",
                                 "--garbage-every",
                                 "4",
                                 "--no-bracket-run",
                                 "1048576",
                                 "--silence-after",
                                 "2",
                                 "--silence-for=3"});
  ASSERT_TRUE(p.options) << p.error;
  const SimOptions& o = *p.options;
  EXPECT_EQ(o.folder, "/f");
  EXPECT_EQ(o.port, 12);
  EXPECT_EQ(o.rate, 2.5);
  EXPECT_EQ(o.seed, 7u);
  EXPECT_EQ(o.frames, 30u);
  EXPECT_EQ(o.duration, 4.5);
  EXPECT_TRUE(o.writeSettings);
  EXPECT_EQ(o.sentLog, "/f/sent.txt");
  EXPECT_EQ(o.badChecksumEvery, 3u);
  EXPECT_TRUE(o.split);
  EXPECT_TRUE(o.pair);
  EXPECT_EQ(o.garbageEvery, 4u);
  EXPECT_EQ(o.noBracketRun, 1048576u);
  EXPECT_EQ(o.silenceAfter, 2.0);
  EXPECT_EQ(o.silenceFor, 3.0);
}

struct BadLine {
  std::vector<std::string> args;
  const char* why;
  friend void PrintTo(const BadLine& line, std::ostream* os) { *os << line.why; }
};

class SimOptionsRejects : public ::testing::TestWithParam<BadLine> {};

TEST_P(SimOptionsRejects, WithAReason) {
  const ParsedOptions p = parse(GetParam().args);
  EXPECT_FALSE(p.options) << GetParam().why;
  EXPECT_FALSE(p.error.empty()) << GetParam().why;
  EXPECT_FALSE(p.help);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SimOptionsRejects,
    ::testing::Values(BadLine{{}, "NoFolder"}, BadLine{{"--port", "3"}, "PortButNoFolder"},
                      BadLine{{"--folder"}, "MissingValue"},
                      BadLine{{"--folder", "/f", "--port", "0"}, "PortZero"},
                      BadLine{{"--folder", "/f", "--port", "x"}, "PortNotANumber"},
                      BadLine{{"--folder", "/f", "--rate", "0"}, "RateZero"},
                      BadLine{{"--folder", "/f", "--rate", "5fps"}, "TrailingText"},
                      BadLine{{"--folder", "/f", "--frames", "-1"}, "NegativeCount"},
                      BadLine{{"--folder", "/f", "--split=1"}, "FlagWithAValue"},
                      BadLine{{"--folder", "/f", "--colour", "red"}, "UnknownOption"},
                      BadLine{{"--folder", "/f", "stray"}, "StrayArgument"},
                      BadLine{{"--folder", "/f", "--silence-after", "2"}, "SilenceWithoutLength"},
                      BadLine{{"--folder", "/f", "--silence-for", "2"}, "SilenceWithoutStart"}),
    [](const ::testing::TestParamInfo<BadLine>& info) { return std::string(info.param.why); });

TEST(SimOptions, HelpIsNotAnError) {
  const ParsedOptions p = parse({"--help"});
  EXPECT_TRUE(p.help);
  EXPECT_TRUE(p.error.empty());
}

TEST(SimOptions, SilenceCoversItsWindowOnly) {
  SimOptions o;
  EXPECT_FALSE(silentAt(o, 0));
  o.silenceAfter = 2;
  o.silenceFor = 3;
  EXPECT_FALSE(silentAt(o, 1.999));
  EXPECT_TRUE(silentAt(o, 2));
  EXPECT_TRUE(silentAt(o, 4.999));
  EXPECT_FALSE(silentAt(o, 5));
}

}  // namespace
}  // namespace sim
