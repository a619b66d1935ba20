#include "web/route_table.h"

#include <array>

namespace tamsel {
namespace {

constexpr std::array<RouteEntry, 20> kRoutes = {{
    {"/", RouteKind::LivePage, true},
    {"/index.html", RouteKind::LivePage, true},
    {"/day", RouteKind::DayPage, true},
    {"/energy", RouteKind::EnergyPage, true},
    {"/turbine", RouteKind::TurbinePage, true},
    {"/static/", RouteKind::Static, true},
    {"/favicon.ico", RouteKind::Icon, true},
    {"/events", RouteKind::Events, false},
    {"/api/reading", RouteKind::Reading, false},
    {"/api/recent", RouteKind::Recent, false},
    {"/metrics", RouteKind::Metrics, false},
    {"/api/days", RouteKind::Days, false},
    {"/api/day", RouteKind::Day, false},
    {"/day.csv", RouteKind::DayCsv, false},
    {"/api/energy", RouteKind::Energy, false},
    {"/api/performance", RouteKind::Performance, false},
    {"/api/glance", RouteKind::Glance, false},
    {"/summary", RouteKind::SummaryPage, true},
    {"/api/summary", RouteKind::Summary, false},
    {"/summary.csv", RouteKind::SummaryCsv, false},
}};

}  // namespace

std::span<const RouteEntry> routeTable() {
  return kRoutes;
}

const RouteEntry* routeEntryOf(RouteKind kind) {
  for (const RouteEntry& entry : kRoutes)
    if (entry.kind == kind) return &entry;
  return nullptr;
}

}  // namespace tamsel
