// Every record, past and live, into a real VictoriaMetrics: the program run
// from main() in both modes with three past day files, History 1 and the
// simulator live, and then through a database killed with -9, a program
// killed with -9, and a wrong password. Each time the database ends up with
// every record sent once, values as the day files hold them, stamped by the
// one timestamp rule. The window's run also evaluates the fleet dashboard's
// queries over what it sent.
#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <regex>

#include "config/tsdb_config.h"
#include "config/web_config.h"
#include "e2e/fleet_dashboard.h"
#include "e2e/harness.h"
#include "logging/day_file_name.h"
#include "support/free_port.h"
#include "support/victoria_metrics.h"
#include "support/wait_until.h"
#include "tsdb/day_queue.h"
#include "web/http_client.h"

namespace tamsel::e2e {
namespace {

enum class Trouble { None, DatabaseKilled, ProgramKilled, WrongPassword };

struct Row {
  const char* name;
  std::vector<std::string> arguments;
  Trouble trouble;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

const Row kRows[] = {
    {"Window", {}, Trouble::None},
    {"Headless", {"--headless"}, Trouble::None},
    {"WindowDatabaseKilled", {}, Trouble::DatabaseKilled},
    {"HeadlessProgramKilled", {"--headless"}, Trouble::ProgramKilled},
    {"HeadlessWrongPassword", {"--headless"}, Trouble::WrongPassword},
};

constexpr int kLogDelay = 2;  // at most 30 live records a minute: k x 2 s stays below 59

// A past day: three records a minute for 100 minutes from 10:00.
std::string pastDay(int seed) {
  std::string text;
  for (int i = 0; i < 300; ++i) {
    const int minute = 600 + i / 3;
    char line[128];
    std::snprintf(line, sizeof line,
                  "<T>%02d:%02d</T><V>%d.%02d</V><I>%d.%d</I><W>%d.0</W><R>%d</R><S>%d</S><M></M>"
                  "   %d.%dWh\r\n",
                  minute / 60, minute % 60, 11 + seed, i % 100, i % 7, seed, i, 300 + i, i % 30,
                  i * 2, seed);
    text += line;
  }
  return text;
}

struct Sample {
  long long ms;
  double value;
  bool operator==(const Sample&) const = default;
  auto operator<=>(const Sample&) const = default;
};

void PrintTo(const Sample& s, std::ostream* out) {
  *out << s.ms << "=" << s.value;
}

// What the database must hold after the day files, read up to where the
// state file says sending reached: each metric's samples by the timestamp rule.
std::map<std::string, std::vector<Sample>> expectedSamples(const std::string& logs,
                                                           const SendPosition& reached) {
  static const std::regex shape(
      R"(<T>(\d\d):(\d\d)</T><V>([-\d.]+)</V><I>([-\d.]+)</I><W>([-\d.]+)</W><R>([-\d.]+)</R>)"
      R"(<S>([-\d.]+)</S><M></M>\s+([-\d.]+)Wh)");
  static const char* names[] = {"tamsel_volts", "tamsel_amps", "tamsel_watts",
                                "tamsel_rpm",   "tamsel_wind", "tamsel_wh"};
  std::map<std::string, std::vector<Sample>> all;
  for (const CalendarDate& day : dayFileDates(logs)) {
    if (day > reached.day) break;
    std::ifstream in(logs + "/" + dayFileName(day), std::ios::binary);
    std::string line;
    int lastMinute = -1, k = 0;
    for (long long n = 0; std::getline(in, line); ++n) {
      if (day == reached.day && n >= reached.line) break;
      std::smatch m;
      if (!std::regex_search(line, m, shape)) continue;
      const int minute = std::stoi(m[1]) * 60 + std::stoi(m[2]);
      k = minute == lastMinute ? k + 1 : 0;
      lastMinute = minute;
      const QDateTime local(QDate(day.year, day.month, day.day), QTime(minute / 60, minute % 60));
      const long long ms = (local.toSecsSinceEpoch() + std::min(59, k * kLogDelay)) * 1000;
      for (int f = 0; f < 6; ++f) all[names[f]].push_back({ms, std::stod(m[3 + f])});
    }
  }
  for (auto& [name, samples] : all) std::sort(samples.begin(), samples.end());
  return all;
}

std::optional<SendPosition> reachedPosition(const ProgramRun& run) {
  return readSendState(run.read("tsdb.state"));
}

void writeTsdbConfig(const ProgramRun& run, const std::string& url, const std::string& password) {
  TsdbConfig config;
  config.Enabled = "1";
  config.URL = url;
  config.Site = "e2e site";
  config.History = "1";
  if (!password.empty()) {
    config.Username = "logger";
    config.Password = password;
  }
  run.write("tsdb.cfg", tsdbConfigText(config));
}

class TsdbEndToEnd : public ::testing::TestWithParam<Row> {};

TEST_P(TsdbEndToEnd, EveryRecordOfEveryDayFileReachesTheDatabaseOnce) {
  const Row& row = GetParam();
  const bool auth = row.trouble == Trouble::WrongPassword;
  test::VictoriaMetrics database(auth ? "logger" : "", auth ? "right" : "");
  ASSERT_TRUE(database.start());

  ProgramRun run;
  const int port = run.configure(30 + static_cast<int>(row.trouble), [](ProgramConfig& c) {
    c.LogDelay = std::to_string(kLogDelay);
    c.dispMessages = "1";
  });
  const QDate today = QDate::currentDate();
  for (int back = 1; back <= 3; ++back) {
    const QDate day = today.addDays(-back);
    run.write("logs/" + dayFileName(CalendarDate{day.year(), day.month(), day.day()}),
              pastDay(back));
  }
  writeTsdbConfig(run, database.writeUrl(), auth ? "wrong" : "");
  WebConfig web;
  web.Port = std::to_string(test::freeLocalPort());
  run.write("web.cfg", webConfigText(web));
  const test::ChildEnvironment environment{.display = row.arguments.empty()};
  auto errors = [&] { return run.lines("errorlog.txt"); };
  auto told = [&](const std::string& part) { return linesHolding(errors(), part) > 0; };
  auto wait = [](const std::function<bool()>& condition) {
    return test::waitUntil(condition, 60000);
  };

  ASSERT_TRUE(run.startBoard(port, {"--rate", "10"}));
  if (row.trouble == Trouble::DatabaseKilled || row.trouble == Trouble::ProgramKilled) {
    // The database holds the first history request unanswered, so the kill
    // lands while it is in flight.
    ::kill(database.process().pid(), SIGSTOP);
  }
  ASSERT_TRUE(run.startProgram(row.arguments, environment));
  ASSERT_TRUE(wait([&] { return !run.recordLines().empty(); })) << run.read("program-output.txt");
  switch (row.trouble) {
    case Trouble::DatabaseKilled:
      database.process().stop(SIGKILL);
      ASSERT_TRUE(wait([&] { return told("time-series database not reached"); })) << dump(errors());
      ASSERT_TRUE(database.start());
      ASSERT_TRUE(wait([&] { return told("time-series database reached again"); }))
          << dump(errors());
      break;
    case Trouble::ProgramKilled:
      run.program().stop(SIGKILL);
      // The database may still take the orphaned request: sent again, it overwrites.
      ::kill(database.process().pid(), SIGCONT);
      ASSERT_TRUE(run.startProgram(row.arguments, environment));
      break;
    case Trouble::WrongPassword:
      ASSERT_TRUE(wait([&] { return told("time-series database not reached"); })) << dump(errors());
      EXPECT_EQ(linesHolding(errors(), "HTTP 401"), 1u) << dump(errors());
      ASSERT_TRUE(run.program().stop());
      writeTsdbConfig(run, database.writeUrl(), "right");
      ASSERT_TRUE(run.startProgram(row.arguments, environment));
      break;
    case Trouble::None:
      break;
  }
  ASSERT_TRUE(wait([&] { return told("sent 3 of 3 days"); })) << dump(errors());
  const std::string todayFile = dayFileName(CalendarDate{today.year(), today.month(), today.day()});
  ASSERT_TRUE(wait([&] {
    auto at = reachedPosition(run);
    return at && dayFileName(at->day) == todayFile && at->line >= 2;
  })) << run.read("tsdb.state");
  test::HttpClient client(static_cast<quint16>(std::stoi(web.Port)));
  EXPECT_NE(client.request("/metrics").body.find("tamsel_tsdb_sent_records_total "),
            std::string::npos);
  ASSERT_TRUE(run.program().stop());

  // Sent up to a line or two of the end, and every line up to there once.
  const std::optional<SendPosition> reached = reachedPosition(run);
  ASSERT_TRUE(reached);
  const size_t live = run.lines("logs/" + todayFile).size();
  EXPECT_LE(live - static_cast<size_t>(reached->line), 3u);
  const auto expected = expectedSamples(run.folder() + "/logs", *reached);
  ASSERT_EQ(expected.at("tamsel_volts").size(), 900 + static_cast<size_t>(reached->line));
  const auto held = database.exported();
  for (const auto& [name, samples] : expected) {
    ASSERT_TRUE(held.count(name)) << name;
    std::vector<Sample> got;
    const test::Series& series = held.at(name);
    for (size_t i = 0; i < series.values.size(); ++i) {
      got.push_back({series.timestampsMs[i], series.values[i]});
    }
    std::sort(got.begin(), got.end());
    // Records sent after the state was last saved may be there too, past `reached`.
    ASSERT_GE(got.size(), samples.size()) << name;
    got.resize(samples.size());
    const auto differ = std::mismatch(got.begin(), got.end(), samples.begin());
    EXPECT_TRUE(differ.first == got.end())
        << name << ": database " << ::testing::PrintToString(*differ.first) << ", day files "
        << ::testing::PrintToString(*differ.second)
        << run.read("logs/" + todayFile).substr(0, 1500);
  }
  // The fleet dashboard shows what was sent; once is enough, with no trouble.
  if (row.trouble == Trouble::None && row.arguments.empty()) {
    expectDashboardShowsSentRecords(database, held, run.folder() + "/logs", "e2e site");
  }
  // Told once per outage, and once that it is over.
  EXPECT_LE(linesHolding(errors(), "time-series database not reached"), 1u) << dump(errors());
}

INSTANTIATE_TEST_SUITE_P(Rows, TsdbEndToEnd, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamsel::e2e
