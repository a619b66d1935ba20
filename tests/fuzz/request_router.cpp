// A request's method, path and query as the router takes them: whatever
// it lets through is a fixed page, a plain resource name, or a real date
// whose day file name has no room for a path.
#include "web/request_router.h"

#include <string>

#include "fuzz_check.h"
#include "logging/day_file_name.h"

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const char* const kMethods[] = {"GET", "HEAD", "POST", "get"};
  const std::string_view method = kMethods[data[0] % 4];
  const std::string_view target = fuzz::bytes(data + 1, size - 1);
  const size_t mark = target.find('?');
  const std::string_view path = target.substr(0, mark);
  const std::string_view query = mark == target.npos ? "" : target.substr(mark + 1);
  const Route route = routeRequest(method, path, query);
  switch (route.kind) {
    case RouteKind::Day:
    case RouteKind::DayCsv:
      fuzz::check(isRealDate(route.date), "a real date");
      fuzz::check(isDayFileName(dayFileName(route.date)), "a plain day file name");
      fuzz::check(route.fromMinute >= 0 && route.fromMinute < 24 * 60, "from in the day");
      fuzz::check(route.toMinute >= 0 && route.toMinute < 24 * 60, "to in the day");
      break;
    case RouteKind::Performance:
      fuzz::check(isRealDate(route.date) && isRealDate(route.lastDate), "two real dates");
      break;
    case RouteKind::Static:
      fuzz::check(!route.staticName.empty() && route.staticName.front() != '.' &&
                      route.staticName.find('/') == std::string::npos &&
                      route.staticName.find("..") == std::string::npos,
                  "a plain resource name");
      break;
    case RouteKind::Energy:
      fuzz::check(route.year >= 1 && route.year <= 9999, "a year");
      fuzz::check(route.month >= 0 && route.month <= 12, "a month or none");
      break;
    case RouteKind::UriTooLong:
      fuzz::check(path.size() > kLongestPath || query.size() > kLongestQuery, "only when long");
      break;
    default:
      break;
  }
  if (route.kind != RouteKind::NotFound && route.kind != RouteKind::UriTooLong)
    fuzz::check(path.size() <= kLongestPath && path.starts_with('/'), "a short absolute path");
  return 0;
}
