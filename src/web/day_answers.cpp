#include "web/day_answers.h"

#include <algorithm>
#include <array>
#include <map>

#include "history/day_file.h"
#include "history/history_export.h"
#include "history/history_settings.h"
#include "history/history_store.h"
#include "history/time_chart.h"
#include "logging/day_file_name.h"
#include "platform/json_text.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

constexpr const char* kJson = "application/json";

HistorySettings historySettings(const std::string& programFolder) {
  // A prog.cfg that cannot be read gives the defaults, as the window does.
  const Result<HistorySettings> loaded = loadHistorySettings(programFolder);
  return loaded ? *loaded : readHistorySettings({});
}

std::string recordJson(const HistoryStore& store, int slot) {
  std::string json = "[" + std::to_string(store.time[slot]);
  for (int s = 0; s < kSeriesCount; ++s) json += "," + jsonNumeral(store.values[s][slot]);
  return json + "]";
}

}  // namespace

struct DayAnswers::Loaded {
  std::optional<WebAnswer> failure;
  int recordCount = 0;
  HistorySettings settings;
};

WebAnswer jsonError(int status, std::string_view message) {
  return {status, kJson, "{" + jsonKey("error") + jsonQuoted(message) + "}", {}};
}

DayAnswers::DayAnswers(std::string folder)
    : programFolder(std::move(folder)),
      logsFolder(programFolder + "/logs"),
      store(std::make_unique<HistoryStore>()) {}

DayAnswers::~DayAnswers() = default;

WebAnswer DayAnswers::days() const {
  const std::vector<CalendarDate> dates = dayFileDates(logsFolder);
  std::string json = "{" + jsonKey("days") + "[";
  for (auto date = dates.rbegin(); date != dates.rend(); ++date) {
    if (date != dates.rbegin()) json += ",";
    json += jsonQuoted(isoDate(*date));
  }
  return {200, kJson, json + "]}", {}};
}

DayAnswers::Loaded DayAnswers::load(const Route& route) {
  Loaded loaded;
  const std::string name = dayFileName(route.date);
  const std::string path = logsFolder + "/" + name;
  if (isMissing(path)) {
    loaded.failure = jsonError(404, "no log file for " + isoDate(route.date));
    return loaded;
  }
  const Result<std::string> text = readDayText(path);
  if (!text) {
    loaded.failure = jsonError(500, cannotReadMessage(name, text.error()));
    return loaded;
  }
  const LoadOutcome outcome =
      loadHistory(*text, {route.fromMinute * 60, route.toMinute * 60}, *store);
  if (outcome.tooMany) {
    loaded.failure = jsonError(422, kTooManyRecordsMessage);
    return loaded;
  }
  loaded.recordCount = outcome.recordCount;
  loaded.settings = historySettings(programFolder);
  return loaded;
}

WebAnswer DayAnswers::day(const Route& route) {
  const Loaded loaded = load(route);
  if (loaded.failure) return *loaded.failure;
  const HistorySettings& settings = loaded.settings;
  std::string json = "{" + jsonKey("date") + jsonQuoted(isoDate(route.date));
  json += "," + jsonKey("from") + jsonQuoted(hourMinute(route.fromMinute));
  json += "," + jsonKey("to") + jsonQuoted(hourMinute(route.toMinute));
  json += "," + jsonKey("columns") + R"(["time","volts","amps","watts","rpm","windSpeed"])" + "," +
          jsonKey("records") + "[";
  json.reserve(json.size() + static_cast<size_t>(loaded.recordCount) * 48);
  for (int slot = 1; slot <= loaded.recordCount; ++slot) {
    if (slot > 1) json += ",";
    json += recordJson(*store, slot);
  }
  json += "]," + jsonKey("logDelay") + jsonNumeral(settings.logDelay) + "," + jsonKey("energyWh") +
          jsonNumeral(rangeEnergyWh(*store, 1, loaded.recordCount, settings.logDelay));
  json += "," + jsonKey("scale") + "{" + jsonKey("maxVolts") + jsonNumeral(settings.scaleVolts) +
          "," + jsonKey("maxAmps") + jsonNumeral(settings.MA) + "," + jsonKey("maxPower") +
          jsonNumeral(settings.MP) + "," + jsonKey("maxRpm") + jsonNumeral(settings.MR) + "," +
          jsonKey("maxWind") + "100," + jsonKey("windUnits") + jsonQuoted(settings.WSUnits) + "}";
  return {200, kJson, json + "}", {}};
}

WebAnswer DayAnswers::dayCsv(const Route& route) {
  const Loaded loaded = load(route);
  if (loaded.failure) return *loaded.failure;
  // The window exports only a drawn chart, and a chart needs two records.
  if (loaded.recordCount < 2) return jsonError(404, "Nothing to export: no records are shown");
  // After a load the range boxes hold the first and last record's times.
  const std::string first = hourMinute(store->time[1] / 60);
  const std::string last = hourMinute(store->time[loaded.recordCount] / 60);
  const RangeBoxes boxes{first.substr(0, 2), first.substr(3, 2), last.substr(0, 2),
                         last.substr(3, 2)};
  return {200, "text/csv", csvText(*store, 1, loaded.recordCount),
          exportFileName(dayFileName(route.date), boxes, ".csv")};
}

WebAnswer DayAnswers::energy(const Route& route, const LocalDateTime& today,
                             double wattHoursToday) {
  const double logDelay = historySettings(programFolder).logDelay;
  std::map<CalendarDate, double> byDay;  // the year's days, by date
  for (const CalendarDate& date : dayFileDates(logsFolder)) {
    if (date.year != route.year) continue;
    if (auto energy = cache.dayEnergy(logsFolder + "/" + dayFileName(date), logDelay))
      byDay[date] = *energy;
  }
  if (today.year == route.year) byDay[{today.year, today.month, today.day}] = wattHoursToday;

  std::array<double, 12> months{};
  for (const auto& [date, wattHours] : byDay) months[date.month - 1] += wattHours;
  double yearTotal = 0;
  std::string json = "{" + jsonKey("year") + std::to_string(route.year) + "," + jsonKey("month") +
                     (route.month ? std::to_string(route.month) : "null") + "," + jsonKey("days") +
                     "[";
  bool firstDay = true;
  for (const auto& [date, wattHours] : byDay) {
    if (date.month != route.month) continue;
    json += firstDay ? "" : ",";
    firstDay = false;
    json += "{" + jsonKey("date") + jsonQuoted(isoDate(date)) + "," + jsonKey("wattHours") +
            jsonNumeral(wattHours) + "}";
  }
  json += "]," + jsonKey("monthTotal") +
          (route.month ? jsonNumeral(months[route.month - 1]) : "null") + "," + jsonKey("months") +
          "[";
  for (int m = 0; m < 12; ++m) {
    yearTotal += months[m];
    json += (m ? "," : "") + std::string("{") + jsonKey("month") + std::to_string(m + 1) + "," +
            jsonKey("wattHours") + jsonNumeral(months[m]) + "}";
  }
  json += "]," + jsonKey("yearTotal") + jsonNumeral(yearTotal) + "}";
  return {200, kJson, json, {}};
}

std::string DayAnswers::recordsJson(const CalendarDate& date, long long fromSecond,
                                    long long beforeSecond) {
  Route route;
  route.date = date;
  route.fromMinute = static_cast<int>(std::max(0LL, fromSecond / 60 - 1));
  const Loaded loaded = load(route);
  std::string records;
  for (int slot = 1; !loaded.failure && slot <= loaded.recordCount; ++slot) {
    if (store->time[slot] < fromSecond || store->time[slot] >= beforeSecond) continue;
    if (!records.empty()) records += ",";
    records += recordJson(*store, slot);
  }
  return records;
}

std::optional<double> DayAnswers::stretchEnergy(const Stretch& stretch, const CalendarDate& today,
                                                double wattHoursToday) {
  const double logDelay = historySettings(programFolder).logDelay;
  std::optional<double> total;
  for (const CalendarDate& date : dayFileDates(logsFolder)) {
    if (date < stretch.from || stretch.to < date || date == today) continue;
    const int lastMinute = date == stretch.to ? stretch.lastMinute : 23 * 60 + 59;
    if (auto energy =
            cache.dayEnergyUntil(logsFolder + "/" + dayFileName(date), logDelay, lastMinute))
      total = total.value_or(0) + *energy;
  }
  if (!(today < stretch.from) && !(stretch.to < today)) total = total.value_or(0) + wattHoursToday;
  return total;
}

std::optional<double> DayAnswers::dayEnergy(const CalendarDate& date) {
  return cache.dayEnergy(logsFolder + "/" + dayFileName(date),
                         historySettings(programFolder).logDelay);
}

std::string DayAnswers::errorLogText() const {
  const Result<std::string> text = readWholeFile(programFolder + "/errorlog.txt", 64 << 20);
  return text ? *text : std::string();
}

}  // namespace tamsel
