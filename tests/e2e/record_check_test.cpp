// The checks the end-to-end tests lean on must themselves tell right from wrong.
#include "e2e/record_check.h"

#include <gtest/gtest.h>

namespace tamsel::e2e {
namespace {

TEST(RecordCheck, ReadsARecordLineAndRefusesNearMisses) {
  const auto record = parseRecord(
      "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh");
  ASSERT_TRUE(record);
  EXPECT_DOUBLE_EQ(record->volts, 12.53);
  EXPECT_DOUBLE_EQ(record->amps, 3.2);
  EXPECT_DOUBLE_EQ(record->watts, 41);
  EXPECT_DOUBLE_EQ(record->wattHours, 123.4);
  EXPECT_TRUE(
      parseRecord("<T>00:00</T><V>.50</V><I>0.0</I><W>0.0</W><R>0</R><S>0</S><M></M>   .0Wh"));
  for (const char* wrong : {
           "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>  123.4Wh",
           "<T>14:05</T><V>12.5</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4Wh",
           "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.5</W><R>350</R><S>12</S><M></M>   123.4Wh",
           "<T>14:05</T><V>12.53</V><I>3.2</I><W>41.0</W><R>350</R><S>12</S><M></M>   123.4 Wh",
       }) {
    EXPECT_FALSE(parseRecord(wrong)) << wrong;
  }
}

// Frames whose shown values are whole numbers, so averages are easy to follow:
// volts and amps as given, watts their product.
std::vector<ProgramRun::SentFrame> framesOf(const std::vector<std::pair<double, double>>& va) {
  std::vector<ProgramRun::SentFrame> out;
  for (const auto& [v, a] : va) out.push_back({"[]", v, a, v * a, false});
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

TEST(RecordCheck, AFrameIsShownRoundedBeforeItIsAveraged) {
  // Volts 12.525 show as 12.53 (half away from zero), 12.55 as 12.55.
  const std::vector<ProgramRun::SentFrame> frames = {{"a", 12.525, 3.0, 0, false},
                                                     {"b", 12.55, 3.2, 0, false}};
  auto record = [](double v, double a, double w) { return RecordValues{v, a, w, 0}; };
  // (12.53 + 12.55) / 2 = 12.54; (3.0 + 3.2) / 2 = 3.1; (37.6 + 40.2) / 2 = 38.9 -> 39.
  EXPECT_EQ(placeRecordsOnRuns({record(12.54, 3.1, 39)}, frames), "");
  EXPECT_NE(placeRecordsOnRuns({record(12.55, 3.1, 39)}, frames), "") << "volts off by 0.01";
  EXPECT_NE(placeRecordsOnRuns({record(12.54, 3.3, 39)}, frames), "") << "amps off";
  EXPECT_NE(placeRecordsOnRuns({record(12.54, 3.1, 41)}, frames), "") << "watts off";
}

TEST(RecordCheck, RecordsMustAverageRunsThatFollowOneAnother) {
  // Twelve frames at 10 V, the amps in no order, so few runs share an average.
  std::vector<std::pair<double, double>> va;
  for (double amps : {3, 8, 1, 9, 4, 12, 2, 7, 11, 5, 10, 6}) va.push_back({10, amps});
  const auto frames = framesOf(va);
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

TEST(RecordCheck, FramesWithABadChecksumBelongToNoRun) {
  auto frames = framesOf({{10, 1}, {10, 2}, {10, 9}, {10, 3}, {10, 4}, {10, 5}, {10, 6}});
  frames[2].badChecksum = true;
  const RecordValues first = averageOf(frames, 0, 2);
  RecordValues second{10, 4, 40, 0};  // 3, 4 and 5 amps
  EXPECT_EQ(placeRecordsOnRuns({first, second}, frames), "");
  frames[2].badChecksum = false;
  EXPECT_NE(placeRecordsOnRuns({first, second}, frames, {3, 40, 0}), "");
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
