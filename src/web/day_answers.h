#pragma once
// The answers made of the day files in the logs folder: the list of days,
// one day's records, its CSV export and the energy by day and month, and
// the records a live page draws before the readings the logger kept. Each
// day is read the way the log history reads it, but only read: nothing here
// writes to a day file.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "web/energy_cache.h"
#include "web/glance_figures.h"
#include "web/request_router.h"

namespace tamsel {

struct HistoryStore;

struct WebAnswer {
  int status = 200;
  std::string contentType;
  std::string body;
  std::string attachmentName;  // a download's file name; empty for none
};

// {"error":"..."} with `status`.
WebAnswer jsonError(int status, std::string_view message);

class DayAnswers {
 public:
  explicit DayAnswers(std::string programFolder);
  ~DayAnswers();
  DayAnswers(const DayAnswers&) = delete;
  DayAnswers& operator=(const DayAnswers&) = delete;

  // {"days":["2010-05-23",...]}, newest first.
  WebAnswer days() const;
  // The records of route.date from fromMinute to toMinute, both included.
  WebAnswer day(const Route& route);
  // The log history's CSV export of the same records, under its export name.
  WebAnswer dayCsv(const Route& route);
  // Energy per day of route.month and per month of route.year; `today`'s
  // figure is the running total.
  WebAnswer energy(const Route& route, const LocalDateTime& today, double wattHoursToday);
  // The records of `date`'s file stamped from `fromSecond` up to, not
  // including, `beforeSecond` (seconds of the day), each in /api/day's form,
  // joined by ","; empty when there are none or the file cannot be read.
  std::string recordsJson(const CalendarDate& date, long long fromSecond, long long beforeSecond);

  // The watt-hours of the day files of `stretch`, `today`'s the running
  // total; none when no day of it has a file (nor is today).
  std::optional<double> stretchEnergy(const Stretch& stretch, const CalendarDate& today,
                                      double wattHoursToday);
  // The whole day's watt-hours as the energy page counts them.
  std::optional<double> dayEnergy(const CalendarDate& date);
  // The error log's text, empty when there is none.
  std::string errorLogText() const;

  const EnergyCache& energyCache() const { return cache; }

 private:
  struct Loaded;
  Loaded load(const Route& route);

  const std::string programFolder;
  const std::string logsFolder;
  std::unique_ptr<HistoryStore> store;  // the slots of one load, kept between loads
  EnergyCache cache;
};

}  // namespace tamsel
