#include "web/route_answers.h"

#include <QFile>
#include <QString>

#include "web/day_answers.h"
#include "web/glance_answers.h"
#include "web/live_answers.h"
#include "web/performance_answers.h"

namespace tamsel {
namespace {

WebAnswer notFound() {
  return {404, "text/plain; charset=utf-8", "Not found.\n", {}};
}

// A page, script or picture built into the program, or 404.
WebAnswer resourceAnswer(const QString& resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return notFound();
  return {200, contentTypeOf(resource.toStdString()), file.readAll().toStdString(), {}};
}

}  // namespace

WebAnswer routeAnswer(AnswerSources& sources, const Route& route) {
  switch (route.kind) {
    case RouteKind::LivePage:
      return resourceAnswer(QStringLiteral(":/web/index.html"));
    case RouteKind::DayPage:
      return resourceAnswer(QStringLiteral(":/web/day.html"));
    case RouteKind::EnergyPage:
      return resourceAnswer(QStringLiteral(":/web/energy.html"));
    case RouteKind::TurbinePage:
      return resourceAnswer(QStringLiteral(":/web/turbine.html"));
    case RouteKind::Static:
      return resourceAnswer(QStringLiteral(":/web/static/") +
                            QString::fromStdString(route.staticName));
    case RouteKind::Icon:
      return resourceAnswer(QStringLiteral(":/web/tamsel.png"));
    case RouteKind::Reading:
      return sources.live.reading();
    case RouteKind::Recent:
      return sources.live.recentHour(sources.days);
    case RouteKind::Metrics:
      return sources.live.metrics();
    case RouteKind::Days:
      return sources.days.days();
    case RouteKind::Day:
      return sources.days.day(route);
    case RouteKind::DayCsv:
      return sources.days.dayCsv(route);
    case RouteKind::Energy:
      return sources.days.energy(route, sources.live.now(), sources.live.state().wattHours);
    case RouteKind::Performance:
      return sources.performance.performance(route);
    case RouteKind::Glance:
      return glanceAnswer(sources);
    case RouteKind::SummaryPage:
      return resourceAnswer(QStringLiteral(":/web/summary.html"));
    case RouteKind::Summary:
      return summaryAnswer(sources, route, false);
    case RouteKind::SummaryCsv:
      return summaryAnswer(sources, route, true);
    default:
      return notFound();
  }
}

}  // namespace tamsel
