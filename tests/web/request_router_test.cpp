#include "web/request_router.h"

#include <gtest/gtest.h>

#include "logging/day_file_name.h"

namespace tamsel::test {
namespace {

struct RouteCase {
  const char* method;
  const char* path;
  const char* query;
  RouteKind kind;
};

void PrintTo(const RouteCase& c, std::ostream* out) {
  *out << c.method << " " << std::string(c.path).substr(0, 40) << "?"
       << std::string(c.query).substr(0, 40);
}

class RouteTable : public ::testing::TestWithParam<RouteCase> {};

TEST_P(RouteTable, TakesOnlyFixedPathsAndCheckedParameters) {
  const RouteCase& c = GetParam();
  EXPECT_EQ(routeRequest(c.method, c.path, c.query).kind, c.kind)
      << c.method << " " << c.path << "?" << c.query;
}

const std::string kLongQuery = "date=2010-05-23&" + std::string(600, 'x');

INSTANTIATE_TEST_SUITE_P(
    Requests, RouteTable,
    ::testing::Values(
        RouteCase{"GET", "/", "", RouteKind::LivePage},
        RouteCase{"GET", "/day", "date=whatever", RouteKind::DayPage},
        RouteCase{"HEAD", "/energy", "", RouteKind::EnergyPage},
        RouteCase{"GET", "/static/dygraph.min.js", "", RouteKind::Static},
        RouteCase{"GET", "/static/.hidden", "", RouteKind::NotFound},
        RouteCase{"GET", "/static/../prog.cfg", "", RouteKind::NotFound},
        RouteCase{"GET", "/static/a..b", "", RouteKind::NotFound},
        RouteCase{"GET", "/static/%2e%2e%2fprog.cfg", "", RouteKind::NotFound},
        RouteCase{"GET", "/static/sub/file.js", "", RouteKind::NotFound},
        RouteCase{"GET", "/api%2Fday", "date=2010-05-23", RouteKind::NotFound},
        RouteCase{"GET", "/api/day/", "date=2010-05-23", RouteKind::NotFound},
        RouteCase{"GET", "/API/days", "", RouteKind::NotFound},
        RouteCase{"GET", "/logs/P_2010_05_23.txt", "", RouteKind::NotFound},
        RouteCase{"POST", "/api/days", "", RouteKind::MethodNotAllowed},
        RouteCase{"GET", "/events", "", RouteKind::Events},
        RouteCase{"GET", "/metrics", "", RouteKind::Metrics},
        RouteCase{"GET", "/api/reading", "", RouteKind::Reading},
        RouteCase{"GET", "/api/recent", "", RouteKind::Recent},
        RouteCase{"GET", "/favicon.ico", "", RouteKind::Icon},
        RouteCase{"POST", "/favicon.ico", "", RouteKind::MethodNotAllowed},
        RouteCase{"GET", "/api/days", "", RouteKind::Days},
        RouteCase{"GET", "/api/glance", "", RouteKind::Glance},
        RouteCase{"GET", "/summary", "from=junk", RouteKind::SummaryPage},
        RouteCase{"GET", "/api/summary", "", RouteKind::Summary},
        RouteCase{"GET", "/summary.csv", "from=2024-02-01&to=2024-02-29", RouteKind::SummaryCsv},
        RouteCase{"GET", "/api/summary", "to=2024-02-30", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-23", RouteKind::Day},
        RouteCase{"GET", "/api/day", "date=2010%2D05-23&from=00%3A30", RouteKind::Day},
        RouteCase{"GET", "/day.csv", "date=2012-02-29&from=09:00&to=17:30", RouteKind::DayCsv},
        RouteCase{"GET", "/api/day", "date=2011-02-29", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=1900-02-29", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2000-02-29", RouteKind::Day},
        RouteCase{"GET", "/api/day", "date=2010-13-01", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-04-31", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=10-05-23", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=../../etc", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-23%00", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-2%", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-23&date=2010-05-24", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-23&from=24:00", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-23&to=9:30", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", "date=2010-05-23&a&b&c&d&e&f&g&h", RouteKind::BadRequest},
        RouteCase{"GET", "/api/day", kLongQuery.c_str(), RouteKind::UriTooLong},
        RouteCase{"GET", "/api/energy", "year=2010", RouteKind::Energy},
        RouteCase{"GET", "/api/energy", "year=2010&month=2", RouteKind::Energy},
        RouteCase{"GET", "/api/energy", "year=2010&month=13", RouteKind::BadRequest},
        RouteCase{"GET", "/api/energy", "year=10", RouteKind::BadRequest},
        RouteCase{"GET", "/api/energy", "month=5", RouteKind::BadRequest},
        RouteCase{"GET", "/turbine", "from=x", RouteKind::TurbinePage},
        RouteCase{"GET", "/api/performance", "from=2024-03-01&to=2024-03-31",
                  RouteKind::Performance},
        RouteCase{"GET", "/api/performance", "from=2024-03-01&to=2024-02-30",
                  RouteKind::BadRequest},
        RouteCase{"GET", "/api/performance", "to=2024-03-01", RouteKind::BadRequest}));

TEST(Route, CarriesTheCheckedValues) {
  const Route day = routeRequest("GET", "/day.csv", "to=17%3A30&date=2012-02-29");
  EXPECT_EQ(isoDate(day.date), "2012-02-29");
  EXPECT_EQ(dayFileName(day.date), "P_2012_02_29.txt");
  EXPECT_EQ(day.fromMinute, 0);
  EXPECT_EQ(hourMinute(day.toMinute), "17:30");
  const Route energy = routeRequest("GET", "/api/energy", "year=2010&month=05");
  EXPECT_EQ(energy.year, 2010);
  EXPECT_EQ(energy.month, 5);
  EXPECT_EQ(routeRequest("GET", "/api/energy", "year=2010").month, 0);
  EXPECT_EQ(routeRequest("GET", "/static/day.css", "").staticName, "day.css");
  const Route range = routeRequest("GET", "/api/performance", "to=2024-03-31&from=2023-12-01");
  EXPECT_EQ(isoDate(range.date), "2023-12-01");
  EXPECT_EQ(isoDate(range.lastDate), "2024-03-31");
}

}  // namespace
}  // namespace tamsel::test
