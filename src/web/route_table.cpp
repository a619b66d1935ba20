#include "web/route_table.h"

#include <QFile>
#include <QString>
#include <array>

#include "web/day_answers.h"
#include "web/live_answers.h"

namespace tamsel {
namespace {

// A page, script or picture built into the program, or 404.
WebAnswer resourceAnswer(const QString& resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly))
    return {404, "text/plain; charset=utf-8", "Not found.\n", {}};
  return {200, contentTypeOf(resource.toStdString()), file.readAll().toStdString(), {}};
}

template <const char* kResource>
WebAnswer resource(AnswerSources&, const Route&) {
  return resourceAnswer(QString::fromLatin1(kResource));
}

constexpr char kLivePage[] = ":/web/index.html";
constexpr char kDayPage[] = ":/web/day.html";
constexpr char kEnergyPage[] = ":/web/energy.html";
constexpr char kIcon[] = ":/web/tamsel.png";

WebAnswer staticFile(AnswerSources&, const Route& route) {
  return resourceAnswer(QStringLiteral(":/web/static/") + QString::fromStdString(route.staticName));
}

WebAnswer reading(AnswerSources& sources, const Route&) {
  return sources.live.reading();
}

WebAnswer recent(AnswerSources& sources, const Route&) {
  return sources.live.recentHour(sources.days);
}

WebAnswer metrics(AnswerSources& sources, const Route&) {
  return sources.live.metrics();
}

WebAnswer days(AnswerSources& sources, const Route&) {
  return sources.days.days();
}

WebAnswer day(AnswerSources& sources, const Route& route) {
  return sources.days.day(route);
}

WebAnswer dayCsv(AnswerSources& sources, const Route& route) {
  return sources.days.dayCsv(route);
}

WebAnswer energy(AnswerSources& sources, const Route& route) {
  return sources.days.energy(route, sources.live.now(), sources.live.state().wattHours);
}

constexpr std::array<RouteEntry, 14> kRoutes = {{
    {"/", RouteKind::LivePage, true, resource<kLivePage>},
    {"/index.html", RouteKind::LivePage, true, resource<kLivePage>},
    {"/day", RouteKind::DayPage, true, resource<kDayPage>},
    {"/energy", RouteKind::EnergyPage, true, resource<kEnergyPage>},
    {"/static/", RouteKind::Static, true, staticFile},
    {"/favicon.ico", RouteKind::Icon, true, resource<kIcon>},
    {"/events", RouteKind::Events, false, nullptr},
    {"/api/reading", RouteKind::Reading, false, reading},
    {"/api/recent", RouteKind::Recent, false, recent},
    {"/metrics", RouteKind::Metrics, false, metrics},
    {"/api/days", RouteKind::Days, false, days},
    {"/api/day", RouteKind::Day, false, day},
    {"/day.csv", RouteKind::DayCsv, false, dayCsv},
    {"/api/energy", RouteKind::Energy, false, energy},
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
