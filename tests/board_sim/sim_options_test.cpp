#include "sim_options.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace sim {
namespace {

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// A fault option read wrongly would let an end-to-end test pass without the fault.
TEST(SimOptions, EveryOptionIsTakenInBothForms) {
  const ParsedOptions p = parseOptions(
      words("--folder=/f --port 12 --rate=2.5 --seed 7 --frames 30 --duration=4.5 --write-settings "
            "--sent-log /f/sent.txt --bad-checksum-every=3 --split --pair --garbage-every 4 "
            "--no-bracket-run 1048576 --silence-after 2 --silence-for=3"));
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

TEST(SimOptions, WrongLinesAreRejectedWithAReason) {
  struct Case {
    const char* line;
    const char* why;
  };
  const Case cases[] = {
      {"", "no folder"},
      {"--folder", "a missing value"},
      {"--folder /f --port 0", "port zero"},
      {"--folder /f --port x", "a port that is no number"},
      {"--folder /f --rate 0", "rate zero"},
      {"--folder /f --rate 5fps", "text after the number"},
      {"--folder /f --frames -1", "a negative count"},
      {"--folder /f --split=1", "a flag with a value"},
      {"--folder /f --colour red", "an unknown option"},
      {"--folder /f stray", "a stray argument"},
      {"--folder /f --silence-after 2", "silence without its length"},
      {"--folder /f --silence-for 2", "silence without its start"},
  };
  for (const Case& c : cases) {
    const ParsedOptions p = parseOptions(words(c.line));
    EXPECT_FALSE(p.options) << c.why;
    EXPECT_FALSE(p.error.empty()) << c.why;
    EXPECT_FALSE(p.help) << c.why;
  }
}

TEST(SimOptions, SilenceCoversItsWindowOnly) {
  SimOptions o;
  EXPECT_FALSE(silentAt(o, 0));
  o.silenceAfter = 2;
  o.silenceFor = 3;
  for (double at : {1.999, 5.0}) EXPECT_FALSE(silentAt(o, at)) << at;
  for (double at : {2.0, 4.999}) EXPECT_TRUE(silentAt(o, at)) << at;
}

}  // namespace
}  // namespace sim
