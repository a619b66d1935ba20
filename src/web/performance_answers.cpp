#include "web/performance_answers.h"

#include <optional>

#include "analysis/analysis_setup_file.h"
#include "analysis/performance.h"
#include "platform/json_text.h"

namespace tamsel {
namespace {

std::string orNull(const std::optional<double>& value) {
  return value ? jsonNumeral(*value) : "null";
}

// Members joined into one object, each "key":value in the order given.
class JsonObject {
 public:
  JsonObject& add(std::string_view key, const std::string& json) {
    text += (text.size() > 1 ? "," : "") + jsonKey(key) + json;
    return *this;
  }
  JsonObject& number(std::string_view key, double value) { return add(key, jsonNumeral(value)); }
  JsonObject& number(std::string_view key, const std::optional<double>& value) {
    return add(key, orNull(value));
  }
  std::string done() const { return text + "}"; }

 private:
  std::string text = "{";
};

template <class Item, class Write>
std::string jsonArray(const std::vector<Item>& items, Write write) {
  std::string text = "[";
  for (const Item& item : items) text += (text.size() > 1 ? "," : "") + write(item);
  return text + "]";
}

std::string binJson(const PowerBin& bin) {
  return JsonObject()
      .number("wind", bin.wind)
      .number("power", bin.power)
      .number("powerStd", bin.powerStd)
      .number("rpm", bin.rpm)
      .add("count", std::to_string(bin.count))
      .number("minutes", bin.minutes)
      .number("cp", bin.cp)
      .number("tsr", bin.tsr)
      .add("complete", bin.complete ? jsonBool(*bin.complete) : "null")
      .done();
}

std::string aepJson(const AepRow& row) {
  return JsonObject()
      .add("meanWind", std::to_string(row.meanWind))
      .number("measuredKWh", row.measuredKWh)
      .number("extrapolatedKWh", row.extrapolatedKWh)
      .number("curveKWh", row.curveKWh)
      .number("capacityFactor", row.capacityFactor)
      .done();
}

std::string batteryJson(const BatteryDay& day) {
  return JsonObject()
      .add("date", jsonQuoted(isoDate(day.date)))
      .number("minVolts", day.minVolts)
      .add("minAt", jsonQuoted(day.minAt))
      .number("maxVolts", day.maxVolts)
      .add("maxAt", jsonQuoted(day.maxAt))
      .number("ampHours", day.ampHours)
      .number("wattHours", day.wattHours)
      .number("hoursFull", day.hoursFull)
      .done();
}

std::string missingJson(const MissingFigure& figure) {
  return JsonObject()
      .add("figure", jsonQuoted(figure.figure))
      .add("reason", jsonQuoted(figure.reason))
      .done();
}

std::string pointJson(const CurvePoint& point) {
  return JsonObject().number("wind", point.wind).number("watts", point.watts).done();
}

}  // namespace

std::string performanceJson(const PerformanceReport& report,
                            const std::optional<std::vector<CurvePoint>>& curve) {
  // Without a wind unit to convert there are no bins at all, which is not
  // the same as a range with no wind: the first is null, the second [].
  const bool noBins = !report.whyMissing("bins").empty();
  return JsonObject()
      .add("windUnit", jsonQuoted(report.windUnit))
      .number("airDensity", report.airDensity)
      .number("binWidth", report.binWidth)
      .add("bins", noBins ? "null" : jsonArray(report.bins, binJson))
      .add("aep", jsonArray(report.aep, aepJson))
      .number("deliveredWh", report.deliveredWh)
      .number("promisedWh", report.promisedWh)
      .number("ratio", report.ratio)
      .add("battery", jsonArray(report.battery, batteryJson))
      .add("daysSinceFull", report.daysSinceFull ? std::to_string(*report.daysSinceFull) : "null")
      .add("missing", jsonArray(report.missing, missingJson))
      .add("unreadDays", jsonArray(report.unreadDays, jsonQuoted))
      .add("curve", curve ? jsonArray(*curve, pointJson) : "null")
      .done();
}

PerformanceAnswers::PerformanceAnswers(std::string folder) : programFolder(std::move(folder)) {}

WebAnswer PerformanceAnswers::performance(const Route& route) {
  const DateRange range{route.date, route.lastDate};
  if (std::optional<std::string> problem = dateRangeProblem(range)) return jsonError(400, *problem);
  const Result<AnalysisSetup> setup = loadAnalysisSetup(programFolder);
  if (!setup) return jsonError(500, setup.error());
  const Result<PerformanceReport> report = analysis.analyse(*setup, programFolder + "/logs", range);
  if (!report) return jsonError(500, report.error());
  const TurbineSettingsRead turbine = turbineSettings(setup->turbine, setup->SV);
  return {200, "application/json", performanceJson(*report, turbine.settings.curve), {}};
}

}  // namespace tamsel
