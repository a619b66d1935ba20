#pragma once
// Every output of a logger session, made in one place for the window and
// --headless alike: mqtt.cfg, web.cfg and alarm.cfg are read here, and the
// two modes differ only where the table below says so, with its reason.
#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/outputs/alarm_command_runner.h"
#include "app/outputs/desktop_notifier.h"
#include "app/outputs/mqtt_feed.h"
#include "app/outputs/tsdb_feed.h"
#include "app/outputs/web_dashboard.h"
#include "session/error_reporter.h"

namespace tamsel {

using RunMode = ErrorReporter::Mode;

// A new output is a new kind here, before Count, and a row in the table below.
enum class OutputKind { ErrorLog, Mqtt, Dashboard, AlarmCommand, Desktop, Tsdb, Count };
inline constexpr size_t kOutputKindCount = static_cast<size_t>(OutputKind::Count);

struct OutputRow {
  OutputKind kind;
  bool window;
  bool headless;
  std::string_view why;
};

// One row per kind of output, in the order of OutputKind.
inline constexpr std::array<OutputRow, kOutputKindCount> kOutputsByMode{{
    {OutputKind::ErrorLog, true, true, "what goes wrong is written down, whoever watches"},
    {OutputKind::Mqtt, true, true, "when mqtt.cfg enables publishing"},
    {OutputKind::Dashboard, true, true, "unless web.cfg switches it off"},
    {OutputKind::AlarmCommand, true, true, "runs what alarm.cfg names, if anything"},
    {OutputKind::Desktop, true, false,
     "notifications need a desktop's session bus; a headless logger has none by design"},
    {OutputKind::Tsdb, true, true, "when tsdb.cfg enables sending records to a database"},
}};

constexpr bool madeIn(OutputKind kind, RunMode mode) {
  const OutputRow& row = kOutputsByMode[static_cast<size_t>(kind)];
  return mode == RunMode::Window ? row.window : row.headless;
}

// The outputs of one session; those not made are null.
class Outputs {
 public:
  Outputs(std::string programFolder, const Clock& clock, RunMode mode, std::ostream& messages)
      : errorLog(std::move(programFolder), clock, mode, messages) {}

  ErrorReporter errorLog;
  std::unique_ptr<MqttFeed> mqtt;
  std::unique_ptr<WebDashboard> dashboard;
  std::string dashboardOff = "none given";  // why there is no dashboard
  std::unique_ptr<AlarmCommandRunner> alarmCommand;
  std::unique_ptr<DesktopNotifier> desktop;
  std::unique_ptr<TsdbFeed> tsdb;

  bool has(OutputKind kind) const;
  // What the session tells its steps to, after its view.
  std::vector<SessionObserver*> observers();
};

struct OutputsWanted {
  std::string programFolder;
  RunMode mode;
  const Clock& clock;
  std::string version;
  std::ostream& messages;  // standard error
  // Told the dashboard's address once it serves.
  std::function<void(const std::string&)> dashboardAt = {};
};

std::unique_ptr<Outputs> makeOutputs(const OutputsWanted& wanted);

}  // namespace tamsel
