// The program's windows as main() builds them (serial controls on the board
// simulator's pseudo-terminal, the system clock, real files), driven through
// their controls. Only the user's hand belongs to the test: it answers the
// modal windows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <regex>

#include "app/orvane_logger.h"
#include "config/calibration.h"
#include "harness.h"
#include "platform/clock.h"
#include "platform/serial/qt_serial_control.h"
#include "record_check.h"
#include "support/find_control.h"
#include "support/pseudo_terminal.h"
#include "support/wait_until.h"

namespace tamsel::e2e {
namespace {

constexpr int kGenerousMs = 30000;

// Message boxes are noted; a modal window is handed to the test's hand.
class Hand : public Dialogs {
 public:
  void message(QWidget*, const QString& text) override { messages << text; }
  bool question(QWidget*, const QString&) override { return false; }
  void showModal(QDialog& window) override {
    if (onModal) onModal(window);
  }
  QStringList messages;
  std::function<void(QDialog&)> onModal;
};

class WindowsEndToEnd : public ::testing::Test {
 protected:
  // The board on a port of its own, logging every second from the start.
  void SetUp() override {
    ProgramConfig config = runConfig(port);
    config.LogOn = "1";
    run.writeProgCfg(config);
    ASSERT_TRUE(run.startBoard(port, {"--rate", "10"}));
    window = std::make_unique<OrvaneLogger>(
        OrvaneLogger::Services{run.folder(), clock, hand, serial, calibrationSerial});
    window->show();
    window->Form_Load();
  }
  template <class Control>
  Control* control(const QObject& owner, const char* name) {
    return test::control<Control>(owner, name);
  }
  bool recordsReach(size_t count) {
    return test::waitUntil([&] { return run.recordLines().size() >= count; }, kGenerousMs);
  }

  const int port = test::uniquePortNumber(7);
  ProgramRun run;
  SystemClock clock;
  Hand hand;
  QtSerialControl serial{run.folder()};
  QtSerialControl calibrationSerial{run.folder()};
  std::unique_ptr<OrvaneLogger> window;
};

TEST_F(WindowsEndToEnd, ShowLogsOpensTodayAndExportsItsRecordsAsCsv) {
  const LocalDateTime now = clock.now();
  // Today's window runs strictly inside 00:00 to 23:59.
  if ((now.hour == 23 && now.minute >= 58) || (now.hour == 0 && now.minute == 0))
    GTEST_SKIP() << "too near midnight for a day's range";
  ASSERT_TRUE(recordsReach(3)) << run.read("errorlog.txt");
  std::vector<std::string> exported;
  hand.onModal = [&](QDialog& graph) {
    EXPECT_EQ(graph.windowTitle(), "Log History");
    control<QAbstractButton>(graph, "CSV")->click();
    exported = run.filesMatching("excel", R"(.*\.csv)");
    control<QAbstractButton>(graph, "ExitGraphsButton")->click();
  };
  control<QPushButton>(*window, "ShowLogs")->click();
  ASSERT_EQ(exported.size(), 1u) << hand.messages.join(" | ").toStdString();
  std::vector<std::string> csv = run.lines(exported[0]);
  ASSERT_GE(csv.size(), 4u);
  EXPECT_EQ(csv[0], "TIME,VOLTS,AMPS,WATTS,RPM,SPEED");
  // Each exported line is a record of the day, its volts as the log has them.
  const std::vector<std::string> records = run.recordLines();
  csv.erase(csv.begin());
  for (const std::string& line : csv) {
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(line, parts, std::regex(R"(^[0-9:]+,([0-9.]+),.*)"))) << line;
    const std::string volts = "<V>" + std::string(parts[1]) + "</V>";
    EXPECT_TRUE(std::any_of(records.begin(), records.end(), [&](const std::string& r) {
      return r.find(volts) != std::string::npos;
    })) << line;
  }
}

TEST_F(WindowsEndToEnd, ANewVoltsDividerSavedInCalibrationIsUsedByTheNextRecord) {
  ASSERT_TRUE(recordsReach(2)) << run.read("errorlog.txt");
  control<QPushButton>(*window, "StopLogging")->click();
  hand.onModal = [&](QDialog& calibration) {
    // A frame reaches the window's own read-out; then the divider is doubled.
    auto* raw = control<QLabel>(calibration, "txtBattV");
    ASSERT_TRUE(test::waitUntil([&] { return raw->text() != "0"; }, kGenerousMs));
    auto* divider = control<QLineEdit>(calibration, "BatteryVolts");
    divider->setText(QString::number(divider->text().toDouble() * 2));
    control<QAbstractButton>(calibration, "Command1")->click();
  };
  control<QPushButton>(*window, "CalibrateButton")->click();
  const std::string settings = run.read("settings.cfg");
  ASSERT_NE(settings.find("<VoltDivider>80</VoltDivider>"), std::string::npos) << settings;

  const size_t before = run.recordLines().size();
  control<QPushButton>(*window, "StartLogging")->click();
  ASSERT_TRUE(recordsReach(before + 2)) << run.read("errorlog.txt");
  // The board's volts (12 V system, 40 counts a volt) now read as half.
  for (size_t i = before + 1; i < run.recordLines().size(); ++i) {
    const std::optional<RecordValues> record = parseRecord(run.recordLines()[i]);
    ASSERT_TRUE(record) << run.recordLines()[i];
    EXPECT_GT(record->volts, 4.0);
    EXPECT_LT(record->volts, 8.0) << run.recordLines()[i];
  }
}

}  // namespace
}  // namespace tamsel::e2e
