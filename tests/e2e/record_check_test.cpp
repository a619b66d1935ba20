// The checks the end-to-end tests lean on must not pass a wrong record.
#include "e2e/record_check.h"

#include <gtest/gtest.h>

namespace tamsel::e2e {
namespace {

TEST(RecordCheck, ReadsARecordLineAndRefusesNearMisses) {
  const std::string good =
      "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh";
  const auto record = parseRecord(good);
  ASSERT_TRUE(record);
  EXPECT_DOUBLE_EQ(record->wattHours, 123.4);
  for (const auto& [from, to] : std::initializer_list<std::pair<const char*, const char*>>{
           {"   123", "  123"}, {"12.53", "12.5"}, {"41.0", "41.5"}, {"Wh", " Wh"}}) {
    std::string wrong = good;
    wrong.replace(wrong.find(from), std::string(from).size(), to);
    EXPECT_FALSE(parseRecord(wrong)) << wrong;
  }
}

TEST(RecordCheck, AFrameIsShownRoundedBeforeItIsAveraged) {
  // 12.525 V shows as 12.53: (12.53 + 12.55) / 2 = 12.54; (37.6 + 40.2) / 2 = 38.9 W.
  const std::vector<ProgramRun::SentFrame> frames = {{"a", 12.525, 3.0, 0, false},
                                                     {"b", 12.55, 3.2, 0, false}};
  EXPECT_EQ(placeRecordsOnRuns({{12.54, 3.1, 39, 0}}, frames), "");
  for (const RecordValues& off : {RecordValues{12.55, 3.1, 39, 0}, RecordValues{12.54, 3.3, 39, 0},
                                  RecordValues{12.54, 3.1, 41, 0}}) {
    EXPECT_NE(placeRecordsOnRuns({off}, frames), "") << off.volts << " " << off.amps;
  }
}

// Frames at 10 V with whole amps, so averages are easy to follow.
std::vector<ProgramRun::SentFrame> framesOf(std::initializer_list<double> amps) {
  std::vector<ProgramRun::SentFrame> out;
  for (double a : amps) out.push_back({"[]", 10, a, 10 * a, false});
  return out;
}

RecordValues averageOf(const std::vector<ProgramRun::SentFrame>& frames, size_t from, size_t n) {
  RecordValues r;
  for (size_t k = from; k < from + n; ++k) {
    r.volts += frames[k].volts / n;
    r.amps += frames[k].amps / n;
    r.watts += frames[k].watts / n;
  }
  return r;
}

TEST(RecordCheck, RecordsMustAverageRunsThatFollowOneAnother) {
  // The amps in no order, so few runs share an average.
  const auto frames = framesOf({3, 8, 1, 9, 4, 12, 2, 7, 11, 5, 10, 6});
  const auto runs = [&](std::initializer_list<std::pair<size_t, size_t>> startAndLength) {
    std::vector<RecordValues> out;
    for (const auto& [from, n] : startAndLength) out.push_back(averageOf(frames, from, n));
    return out;
  };
  struct Case {
    const char* story;
    std::vector<RecordValues> records;
    bool placed;
  };
  const std::vector<Case> cases = {
      {"back to back", runs({{1, 2}, {3, 4}, {7, 3}}), true},
      {"a short first run", runs({{0, 1}, {1, 3}, {4, 3}}), true},
      {"one frame lost between", runs({{0, 3}, {4, 3}, {7, 5}}), true},
      {"two frames lost between", runs({{0, 3}, {3, 3}, {8, 3}}), false},
      {"runs overlap", runs({{0, 4}, {3, 3}}), false},
      {"out of order", runs({{6, 3}, {0, 3}}), false},
      {"a later run too short", runs({{0, 3}, {3, 2}}), false},
      {"the last frame of each interval, not the average", runs({{2, 1}, {5, 1}, {8, 1}}), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(placeRecordsOnRuns(c.records, frames).empty(), c.placed) << c.story;
  }
}

TEST(RecordCheck, ARecordThatAveragedABadFrameIsRefused) {
  auto frames = framesOf({1, 2, 9, 3, 4, 5, 6});
  frames[2].badChecksum = true;
  const RecordValues first = averageOf(frames, 0, 2);
  EXPECT_EQ(placeRecordsOnRuns({first, averageOf(frames, 3, 3)}, frames), "");
  EXPECT_NE(placeRecordsOnRuns({first, averageOf(frames, 2, 3)}, frames), "");
}

TEST(RecordCheck, WattHoursMayStayButNeverFall) {
  auto wh = [](std::initializer_list<double> values) {
    std::vector<RecordValues> out;
    for (double v : values) out.push_back({0, 0, 0, v});
    return out;
  };
  EXPECT_EQ(wattHoursFall(wh({0, 0, 1.5, 1.5, 2})), "");
  EXPECT_NE(wattHoursFall(wh({0, 1.5, 1.4, 2})), "");
}

}  // namespace
}  // namespace tamsel::e2e
