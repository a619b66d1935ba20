#include "analysis/performance.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "analysis/turbine_formulas.h"
#include "analysis/wind_units.h"
#include "platform/number_format.h"
#include "platform/numeric_text.h"

namespace tamsel {
namespace {

std::chrono::sys_days daysOf(const CalendarDate& date) {
  return std::chrono::year{date.year} / date.month / date.day;
}

void leaveOut(PerformanceReport& report, std::string_view figure, const std::string& reason) {
  if (report.whyMissing(figure).empty()) report.missing.push_back({std::string(figure), reason});
}

// The figures that need each absent setting, with the setting's reason.
void noteAbsentSettings(const AnalysisPlan& plan, PerformanceReport& report) {
  const TurbineSettingsRead& read = plan.turbine;
  const TurbineSettings& s = read.settings;
  struct Need {
    bool present;
    std::string_view key;
    std::vector<std::string_view> figures;
  };
  const Need needs[] = {
      {s.altitude.has_value(), "Altitude", {"airDensity", "cp"}},
      {s.temperature.has_value(), "Temperature", {"airDensity", "cp"}},
      {s.rotorDiameter.has_value(), "RotorDiameter", {"cp", "tsr"}},
      {s.gearRatio.has_value(), "GearRatio", {"tsr"}},
      {s.minBinMinutes.has_value(),
       "MinBinMinutes",
       {"complete", "measuredKWh", "extrapolatedKWh", "capacityFactor"}},
      {s.cutOut.has_value(),
       "CutOut",
       {"extrapolatedKWh", "curveKWh", "capacityFactor", "promisedWh", "ratio"}},
      {s.curve.has_value(), "Curve", {"curveKWh", "promisedWh", "ratio"}},
      {s.ratedPower.has_value(), "RatedPower", {"capacityFactor"}},
      {s.fullVolts.has_value(), "FullVolts", {"hoursFull", "daysSinceFull"}},
  };
  for (const Need& need : needs) {
    if (need.present) continue;
    for (std::string_view figure : need.figures) leaveOut(report, figure, read.whyAbsent(need.key));
  }
  if (!plan.rules.windScale) {
    const std::string reason = cannotConvertMessage(plan.windUnit);
    for (std::string_view figure : {"binWidth", "bins", "measuredKWh", "extrapolatedKWh",
                                    "capacityFactor", "promisedWh", "ratio"})
      leaveOut(report, figure, reason);
  }
}

PowerBin powerBin(const AnalysisPlan& plan, long number, const BinSums& sums,
                  std::optional<double> density) {
  const TurbineSettings& s = plan.turbine.settings;
  const double count = static_cast<double>(sums.count);
  PowerBin bin;
  bin.centre = static_cast<double>(number) * plan.rules.binWidth;
  bin.count = sums.count;
  bin.minutes = count * plan.logDelay / 60;
  bin.wind = sums.windSum / count;
  bin.power = sums.powerMean;
  bin.powerStd = std::sqrt(std::max(0.0, sums.powerSquares / count));
  bin.rpm = sums.rpmSum / count;
  if (density && s.rotorDiameter) {
    bin.cp = powerCoefficient(bin.power, bin.wind, *density, *s.rotorDiameter);
  }
  if (s.rotorDiameter && s.gearRatio) {
    bin.tsr = tipSpeedRatio(bin.rpm, bin.wind, *s.gearRatio, *s.rotorDiameter);
  }
  if (s.minBinMinutes) bin.complete = bin.minutes >= *s.minBinMinutes;
  return bin;
}

void addAep(const AnalysisPlan& plan, PerformanceReport& report) {
  const TurbineSettings& s = plan.turbine.settings;
  std::vector<CurvePoint> measured;
  for (const PowerBin& bin : report.bins) {
    if (bin.complete.value_or(false)) measured.push_back({bin.wind, bin.power});
  }
  if (measured.empty() && s.minBinMinutes && plan.rules.windScale) {
    const std::string reason =
        "no bin holds " + plainNumberText(*s.minBinMinutes) + " minutes of data (MinBinMinutes)";
    for (std::string_view figure : {"measuredKWh", "extrapolatedKWh", "capacityFactor"})
      leaveOut(report, figure, reason);
  }
  for (int meanWind = 4; meanWind <= 11; ++meanWind) {
    AepRow row;
    row.meanWind = meanWind;
    if (!measured.empty()) {
      row.measuredKWh = annualEnergyKWh(measured, meanWind, std::nullopt);
      if (s.cutOut) row.extrapolatedKWh = annualEnergyKWh(measured, meanWind, s.cutOut);
    }
    if (s.curve && s.cutOut) row.curveKWh = annualEnergyKWh(*s.curve, meanWind, s.cutOut);
    if (row.extrapolatedKWh && s.ratedPower) {
      row.capacityFactor = *row.extrapolatedKWh * 1000 / (*s.ratedPower * kHoursPerYear);
    }
    report.aep.push_back(row);
  }
}

BatteryDay batteryDay(const AnalysisPlan& plan, const CalendarDate& date, const DaySums& day) {
  const BatterySums& b = day.battery;
  BatteryDay row;
  row.date = date;
  row.minVolts = b.minVolts;
  row.minAt = hourMinute(b.minAt / 60);
  row.maxVolts = b.maxVolts;
  row.maxAt = hourMinute(b.maxAt / 60);
  row.peakWatts = b.peakWatts;
  row.peakAt = hourMinute(b.peakAt / 60);
  row.maxWind = b.maxWind;
  row.maxRpm = b.maxRpm;
  row.ampHours = b.ampsSum * plan.logDelay / 3600;
  row.wattHours = b.wattsSum * plan.logDelay / 3600;
  if (plan.rules.fullVolts) {
    row.hoursFull = static_cast<double>(b.fullRecords) * plan.logDelay / 3600;
  }
  return row;
}

}  // namespace

std::string PerformanceReport::whyMissing(std::string_view figure) const {
  for (const MissingFigure& m : missing) {
    if (m.figure == figure) return m.reason;
  }
  return {};
}

int daysBetween(const CalendarDate& from, const CalendarDate& to) {
  return static_cast<int>((daysOf(to) - daysOf(from)).count());
}

std::optional<std::string> dateRangeProblem(const DateRange& range) {
  if (!isRealDate(range.from)) return "the first day " + isoDate(range.from) + " is no date";
  if (!isRealDate(range.to)) return "the last day " + isoDate(range.to) + " is no date";
  if (range.to < range.from) return "the first day comes after the last";
  if (daysBetween(range.from, range.to) + 1 > kMostAnalysedDays) {
    return "a range holds at most " + std::to_string(kMostAnalysedDays) + " days";
  }
  return std::nullopt;
}

Result<AnalysisPlan> analysisPlan(const AnalysisSetup& setup) {
  const std::optional<double> delay = numericValue(setup.LogDelay);
  if (!delay || !std::isfinite(*delay) || *delay <= 0) {
    return Status::failure("prog.cfg: LogDelay is no number of seconds above 0");
  }
  AnalysisPlan plan;
  plan.logDelay = *delay;
  plan.windUnit = setup.WSUnits;
  plan.turbine = turbineSettings(setup.turbine, setup.SV);
  const TurbineSettings& s = plan.turbine.settings;
  plan.rules.windScale = windScale(setup.WSUnits);
  plan.rules.binWidth = isMetresPerSecond(setup.WSUnits) ? 1 : 0.5;
  plan.rules.fullVolts = s.fullVolts;
  plan.rules.curve = s.curve;
  plan.rules.cutOut = s.cutOut;
  return plan;
}

PerformanceReport combineDays(const AnalysisPlan& plan, const std::vector<DatedSums>& days,
                              const DateRange& range) {
  const TurbineSettings& s = plan.turbine.settings;
  PerformanceReport report;
  noteAbsentSettings(plan, report);
  if (s.altitude && s.temperature) report.airDensity = airDensity(*s.altitude, *s.temperature);
  if (plan.rules.windScale) report.binWidth = plan.rules.binWidth;

  std::map<long, BinSums> bins;
  double wattsSum = 0;
  double promisedWattsSum = 0;
  std::optional<CalendarDate> lastFull;
  for (const DatedSums& day : days) {
    const DaySums& sums = *day.sums;
    if (sums.records == 0) continue;
    report.records += sums.records;
    for (const auto& [number, bin] : sums.bins) bins[number].merge(bin);
    wattsSum += sums.battery.wattsSum;
    promisedWattsSum += sums.promisedWattsSum;
    if (sums.battery.fullRecords > 0) lastFull = day.date;
    report.battery.push_back(batteryDay(plan, day.date, sums));
  }
  for (const auto& [number, bin] : bins)
    report.bins.push_back(powerBin(plan, number, bin, report.airDensity));
  addAep(plan, report);

  report.deliveredWh = wattsSum * plan.logDelay / 3600;
  if (plan.rules.windScale && s.curve && s.cutOut) {
    report.promisedWh = promisedWattsSum * plan.logDelay / 3600;
    if (*report.promisedWh > 0) {
      report.ratio = report.deliveredWh / *report.promisedWh;
    } else {
      leaveOut(report, "ratio", "the maker's curve promises nothing for these records");
    }
  }
  if (lastFull) {
    report.daysSinceFull = daysBetween(*lastFull, range.to);
  } else if (s.fullVolts) {
    leaveOut(report, "daysSinceFull",
             "no day reached " + plainNumberText(*s.fullVolts) + " V (FullVolts)");
  }
  return report;
}

Result<PerformanceReport> analyseRecords(const AnalysisSetup& setup,
                                         const std::vector<DayRecords>& days,
                                         const DateRange& range) {
  if (std::optional<std::string> problem = dateRangeProblem(range)) {
    return Status::failure(*problem);
  }
  Result<AnalysisPlan> plan = analysisPlan(setup);
  if (!plan) return plan.status();
  std::vector<const DayRecords*> inRange;
  for (const DayRecords& day : days) {
    if (!(day.date < range.from) && !(range.to < day.date)) inRange.push_back(&day);
  }
  std::stable_sort(inRange.begin(), inRange.end(),
                   [](const DayRecords* a, const DayRecords* b) { return a->date < b->date; });
  std::vector<DaySums> sums;
  sums.reserve(inRange.size());
  std::vector<DatedSums> dated;
  for (const DayRecords* day : inRange) {
    DaySumsBuilder builder(plan->rules);
    for (const HistoryRecord& record : day->records) builder.add(record);
    sums.push_back(builder.sums());
    dated.push_back({day->date, &sums.back()});
  }
  return combineDays(*plan, dated, range);
}

}  // namespace tamsel
