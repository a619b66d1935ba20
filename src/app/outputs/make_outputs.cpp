#include "app/outputs/make_outputs.h"

namespace tamsel {

bool Outputs::has(OutputKind kind) const {
  switch (kind) {
    case OutputKind::ErrorLog:
      return true;
    case OutputKind::Mqtt:
      return mqtt != nullptr;
    case OutputKind::Dashboard:
      return dashboard != nullptr;
    case OutputKind::AlarmCommand:
      return alarmCommand != nullptr;
    case OutputKind::Desktop:
      return desktop != nullptr;
    case OutputKind::Tsdb:
      return tsdb != nullptr;
    case OutputKind::Count:
      break;
  }
  return false;
}

std::vector<SessionObserver*> Outputs::observers() {
  std::vector<SessionObserver*> all{&errorLog};
  if (mqtt) all.push_back(mqtt.get());
  if (dashboard) all.push_back(&dashboard->feed());
  if (alarmCommand) all.push_back(alarmCommand.get());
  if (desktop) all.push_back(desktop.get());
  if (tsdb) all.push_back(tsdb.get());
  return all;
}

std::unique_ptr<Outputs> makeOutputs(const OutputsWanted& wanted) {
  const std::string& folder = wanted.programFolder;
  auto outputs = std::make_unique<Outputs>(folder, wanted.clock, wanted.mode, wanted.messages);
  auto wants = [&](OutputKind kind) { return madeIn(kind, wanted.mode); };
  if (wants(OutputKind::Mqtt)) {
    if (auto publisher = startPublishing(folder, wanted.clock, wanted.version, outputs->errorLog)) {
      outputs->mqtt = std::make_unique<MqttFeed>(std::move(publisher), folder);
    }
  }
  if (wants(OutputKind::Dashboard)) {
    outputs->dashboard =
        makeWebDashboard(folder, wanted.clock, outputs->errorLog, &outputs->dashboardOff);
    if (outputs->dashboard) outputs->dashboard->servingAt = wanted.dashboardAt;
  }
  if (wants(OutputKind::AlarmCommand)) {
    outputs->alarmCommand = std::make_unique<AlarmCommandRunner>(folder, outputs->errorLog);
  }
  if (wants(OutputKind::Desktop)) outputs->desktop = std::make_unique<DesktopNotifier>();
  if (wants(OutputKind::Tsdb)) {
    outputs->tsdb = startSending(folder, wanted.clock, outputs->errorLog);
    if (outputs->tsdb && outputs->dashboard) {
      TsdbSender& sender = outputs->tsdb->sender();
      outputs->dashboard->feed().sending = [&sender] {
        return SendingCounts{sender.pendingRecords(), sender.sentRecords()};
      };
    }
  }
  return outputs;
}

}  // namespace tamsel
