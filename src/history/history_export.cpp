#include "history/history_export.h"

#include <algorithm>

#include "history/range_energy.h"
#include "history/time_chart.h"
#include "platform/calendar.h"
#include "platform/number_format.h"
#include "platform/text_file.h"

namespace tamsel {

std::string exportFileName(std::string_view dayFileName, const RangeBoxes& boxes,
                           std::string_view extension) {
  std::string name(dayFileName.substr(0, dayFileName.find('.')));
  name.append("_").append(boxes.fromHour).append(boxes.fromMinute);
  name.append("_").append(boxes.toHour).append(boxes.toMinute);
  name.append(extension);
  return name;
}

std::string csvText(const HistoryStore& store, double firstShown, double lastShown) {
  std::string text = "TIME,VOLTS,AMPS,WATTS,RPM,SPEED";
  text.append(kLineEnd);
  const double last = std::min(lastShown, static_cast<double>(kHistorySlots - 1));
  for (double i = firstShown; i <= last; i += 1) {
    const int k = slotAt(i);
    text.append(hourMinute(store.time[k] / 60));
    text.append(",").append(formatMask(store.values[kVolts][k], "##.00"));
    text.append(",").append(formatMask(store.values[kAmps][k], "###.00"));
    text.append(",").append(formatMask(store.values[kWatts][k], "####.00"));
    text.append(",").append(formatMask(store.values[kRpm][k], "####"));
    text.append(",").append(formatMask(store.values[kWind][k], "###.0"));
    text.append(kLineEnd);
  }
  return text;
}

double dayEnergyWh(std::string_view dayText, double logDelay) {
  return dayEnergyWh(dayText, logDelay, kWholeDay.end);
}

double dayEnergyWh(std::string_view dayText, double logDelay, int lastSecond) {
  RangeEnergy energy(logDelay);
  const TimeRange range{kWholeDay.start, std::min(kWholeDay.end, lastSecond)};
  forEachHistoryRecord(dayText, range, [&](const HistoryRecord& record) {
    energy.add(record.values[kWatts]);
    return true;
  });
  return energy.wattHours();
}

std::string collateLine(std::string_view dayFileName, double energyWh) {
  return std::string(dayFileName) + "  ,  " + formatMask(energyWh, "00000");
}

Status collateDayEnergy(const std::string& summaryPath, std::string_view dayFileName,
                        double energyWh) {
  std::string collected;
  if (fileExists(summaryPath)) {
    Result<std::string> text = readWholeFile(summaryPath);
    if (!text) return text.status();
    collected = std::move(*text);
  }
  if (collected.find(dayFileName) != std::string::npos) return {};
  return appendLine(summaryPath, collateLine(dayFileName, energyWh));
}

}  // namespace tamsel
