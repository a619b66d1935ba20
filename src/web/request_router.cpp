#include "web/request_router.h"

#include <cstdio>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "web/route_table.h"

namespace tamsel {
namespace {

constexpr size_t kLongestStaticName = 64;
constexpr size_t kMostParameters = 8;
constexpr size_t kLongestValue = 16;

std::optional<int> digitsValue(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A query value with its %XX escapes undone; nullopt for a broken escape.
std::optional<std::string> decoded(std::string_view text) {
  std::string value;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      value += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hexValue(text[i + 1]);
    const int low = hexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    value += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return value;
}

struct Parameter {
  std::string name;
  std::string value;
};

// name=value pairs joined by "&"; nullopt with the reason for anything else.
std::optional<std::vector<Parameter>> parameters(std::string_view query, std::string& error) {
  std::vector<Parameter> found;
  while (!query.empty()) {
    const size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    if (pair.empty()) continue;
    const size_t equals = pair.find('=');
    const std::optional<std::string> name = decoded(pair.substr(0, equals));
    const std::optional<std::string> value =
        equals == std::string_view::npos ? std::string() : decoded(pair.substr(equals + 1));
    if (!name || !value || name->empty()) {
      error = "malformed query";
      return std::nullopt;
    }
    if (found.size() == kMostParameters || value->size() > kLongestValue) {
      error = "query too long";
      return std::nullopt;
    }
    for (const Parameter& p : found) {
      if (p.name == *name) {
        error = "parameter " + *name + " given twice";
        return std::nullopt;
      }
    }
    found.push_back({*name, *value});
  }
  return found;
}

const std::string* valueOf(const std::vector<Parameter>& found, std::string_view name) {
  for (const Parameter& p : found)
    if (p.name == name) return &p.value;
  return nullptr;
}

// "2010-05-23": four, two and two digits naming a real date.
std::optional<CalendarDate> dateIn(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = digitsValue(text.substr(0, 4));
  const auto month = digitsValue(text.substr(5, 2));
  const auto day = digitsValue(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  const CalendarDate date{*year, *month, *day};
  if (!isRealDate(date)) return std::nullopt;
  return date;
}

// "14:05": two digits, ":", two digits.
std::optional<int> minuteIn(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  const auto hour = digitsValue(text.substr(0, 2));
  const auto minute = digitsValue(text.substr(3, 2));
  if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
  return *hour * 60 + *minute;
}

Route routeOf(RouteKind kind) {
  Route route;
  route.kind = kind;
  return route;
}

Route badRequest(std::string error) {
  Route route;
  route.kind = RouteKind::BadRequest;
  route.error = std::move(error);
  return route;
}

Route dayRoute(RouteKind kind, const std::vector<Parameter>& found) {
  Route route;
  route.kind = kind;
  const std::string* date = valueOf(found, "date");
  if (!date) return badRequest("date is missing");
  const std::optional<CalendarDate> parsed = dateIn(*date);
  if (!parsed) return badRequest("date must be a real date, YYYY-MM-DD");
  route.date = *parsed;
  for (auto [name, minute] : {std::pair{"from", &route.fromMinute}, {"to", &route.toMinute}}) {
    if (const std::string* text = valueOf(found, name)) {
      const std::optional<int> value = minuteIn(*text);
      if (!value) return badRequest(std::string(name) + " must be a time, HH:MM");
      *minute = *value;
    }
  }
  return route;
}

Route energyRoute(const std::vector<Parameter>& found) {
  Route route;
  route.kind = RouteKind::Energy;
  const std::string* year = valueOf(found, "year");
  const std::optional<int> yearValue =
      year && year->size() == 4 ? digitsValue(*year) : std::nullopt;
  if (!yearValue || *yearValue < 1) return badRequest("year must be a year, YYYY");
  route.year = *yearValue;
  if (const std::string* month = valueOf(found, "month")) {
    const std::optional<int> value = month->size() <= 2 ? digitsValue(*month) : std::nullopt;
    if (!value || *value < 1 || *value > 12) return badRequest("month must be a month, 1 to 12");
    route.month = *value;
  }
  return route;
}

// Two real dates; whether the range between them can be analysed is the
// analysis's to say.
Route performanceRoute(const std::vector<Parameter>& found) {
  Route route;
  route.kind = RouteKind::Performance;
  for (auto [name, date] : {std::pair{"from", &route.date}, {"to", &route.lastDate}}) {
    const std::string* text = valueOf(found, name);
    if (!text) return badRequest(std::string(name) + " is missing");
    const std::optional<CalendarDate> parsed = dateIn(*text);
    if (!parsed) return badRequest(std::string(name) + " must be a real date, YYYY-MM-DD");
    *date = *parsed;
  }
  return route;
}

// Either date may be left out: the answer then takes the last 31 days.
Route summaryRoute(RouteKind kind, const std::vector<Parameter>& found) {
  Route route;
  route.kind = kind;
  for (auto [name, date, given] : {std::tuple{"from", &route.date, &route.fromGiven},
                                   std::tuple{"to", &route.lastDate, &route.toGiven}}) {
    const std::string* text = valueOf(found, name);
    if (!text) continue;
    const std::optional<CalendarDate> parsed = dateIn(*text);
    if (!parsed) return badRequest(std::string(name) + " must be a real date, YYYY-MM-DD");
    *date = *parsed;
    *given = true;
  }
  return route;
}

bool isStaticName(std::string_view name) {
  if (name.empty() || name.size() > kLongestStaticName || name.front() == '.') return false;
  for (const char c : name) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    if (!allowed) return false;
  }
  return name.find("..") == std::string_view::npos;
}

// Paths are matched whole, a static file's by what its name follows.
Route routeByPath(std::string_view path) {
  Route route;
  for (const RouteEntry& entry : routeTable()) {
    if (entry.kind != RouteKind::Static) {
      if (path == entry.path) route.kind = entry.kind;
    } else if (path.starts_with(entry.path) && isStaticName(path.substr(entry.path.size()))) {
      route.kind = RouteKind::Static;
      route.staticName = std::string(path.substr(entry.path.size()));
    }
  }
  return route;
}

}  // namespace

Route routeRequest(std::string_view method, std::string_view path, std::string_view query) {
  if (path.size() > kLongestPath || query.size() > kLongestQuery)
    return routeOf(RouteKind::UriTooLong);
  Route route = routeByPath(path);
  if (route.kind == RouteKind::NotFound) return route;
  if (method != "GET" && method != "HEAD") return routeOf(RouteKind::MethodNotAllowed);
  const bool summary = route.kind == RouteKind::Summary || route.kind == RouteKind::SummaryCsv;
  if (route.kind != RouteKind::Day && route.kind != RouteKind::DayCsv &&
      route.kind != RouteKind::Energy && route.kind != RouteKind::Performance && !summary) {
    return route;  // a page's query is for its script
  }
  std::string error;
  const std::optional<std::vector<Parameter>> found = parameters(query, error);
  if (!found) return badRequest(error);
  if (route.kind == RouteKind::Energy) return energyRoute(*found);
  if (route.kind == RouteKind::Performance) return performanceRoute(*found);
  if (summary) return summaryRoute(route.kind, *found);
  return dayRoute(route.kind, *found);
}

std::string contentTypeOf(std::string_view fileName) {
  static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
      {".html", "text/html; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".json", "application/json"},
      {".svg", "image/svg+xml"},
      {".png", "image/png"},
      {".ico", "image/x-icon"},
      {".txt", "text/plain; charset=utf-8"},
  };
  for (const auto& [extension, type] : kTypes)
    if (fileName.ends_with(extension)) return std::string(type);
  return "application/octet-stream";
}

}  // namespace tamsel
