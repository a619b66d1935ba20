#include "web/route_answers.h"

#include <QFile>
#include <QString>

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

}  // namespace

WebAnswer routeAnswer(AnswerSources& sources, const Route& route) {
  switch (route.kind) {
    case RouteKind::LivePage:
      return resource<kLivePage>(sources, route);
    case RouteKind::DayPage:
      return resource<kDayPage>(sources, route);
    case RouteKind::EnergyPage:
      return resource<kEnergyPage>(sources, route);
    case RouteKind::Static:
      return staticFile(sources, route);
    case RouteKind::Icon:
      return resource<kIcon>(sources, route);
    case RouteKind::Reading:
      return reading(sources, route);
    case RouteKind::Recent:
      return recent(sources, route);
    case RouteKind::Metrics:
      return metrics(sources, route);
    case RouteKind::Days:
      return days(sources, route);
    case RouteKind::Day:
      return day(sources, route);
    case RouteKind::DayCsv:
      return dayCsv(sources, route);
    case RouteKind::Energy:
      return energy(sources, route);
    default:
      return {404, "text/plain; charset=utf-8", "Not found.\n", {}};
  }
}

}  // namespace tamsel
