#pragma once
// Which answer a request gets, from its method, path and query alone. Only
// the fixed paths below are answered; every parameter is checked to the
// character (real dates, hh:mm times, bounded lengths), so what reaches the
// day answers is a date, never a path: the day's file name is made from it.
#include <string>
#include <string_view>

#include "platform/calendar.h"

namespace tamsel {

enum class RouteKind {
  NotFound,          // 404
  BadRequest,        // 400, `error` says why
  UriTooLong,        // 414
  MethodNotAllowed,  // 405
  LivePage,          // /
  DayPage,           // /day
  EnergyPage,        // /energy
  TurbinePage,       // /turbine
  Static,            // /static/<name>
  Events,            // /events
  Reading,           // /api/reading
  Recent,            // /api/recent
  Days,              // /api/days
  Day,               // /api/day
  DayCsv,            // /day.csv
  Energy,            // /api/energy
  Performance,       // /api/performance
  Metrics,           // /metrics
  Glance,            // /api/glance
  SummaryPage,       // /summary
  Summary,           // /api/summary
  SummaryCsv,        // /summary.csv
  Icon,              // /favicon.ico
};

struct Route {
  RouteKind kind = RouteKind::NotFound;
  std::string error;       // BadRequest: what is wrong with the query
  std::string staticName;  // Static: letters, digits, ".", "_", "-"; no leading "."
  CalendarDate date;       // Day, DayCsv; Performance, Summary: the first day
  CalendarDate lastDate;   // Performance, Summary: the last day, included
  bool fromGiven = false;  // Summary, SummaryCsv: whether `date` was asked for (else the
  bool toGiven = false;    // last 31 days), and whether `lastDate` was (else today)
  int fromMinute = 0;      // Day, DayCsv: 00:00 when not given
  int toMinute = 23 * 60 + 59;
  int year = 0;   // Energy
  int month = 0;  // Energy: 0 when not given
};

inline constexpr size_t kLongestPath = 128;
inline constexpr size_t kLongestQuery = 512;

// `path` and `query` as they stand in the request line, still percent-encoded.
Route routeRequest(std::string_view method, std::string_view path, std::string_view query);

// "text/css; charset=utf-8" and the like, by the name's extension.
std::string contentTypeOf(std::string_view fileName);

}  // namespace tamsel
