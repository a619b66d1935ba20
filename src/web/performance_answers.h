#pragma once
// /api/performance: the turbine and battery analysis over a range of day
// files, as JSON. One analysis is kept for the server's life, so a range
// asked for again reads only the day files that changed since.
#include <optional>
#include <string>
#include <vector>

#include "analysis/day_file_analysis.h"
#include "analysis/performance_report.h"
#include "analysis/turbine_settings.h"
#include "web/day_answers.h"
#include "web/request_router.h"

namespace tamsel {

// The report in the dashboard's form. Each figure the report leaves out is
// null, and "missing" lists it with the reason:
// "missing":[{"figure":"cp","reason":"turbine.cfg: no RotorDiameter given"}];
// "unreadDays" names the day files of the range that could not be read, and
// "curve" holds the maker's points the measured curve is drawn over,
// [{"wind":3,"watts":20},...], or null when turbine.cfg gives none.
std::string performanceJson(const PerformanceReport& report,
                            const std::optional<std::vector<CurvePoint>>& curve);

class PerformanceAnswers {
 public:
  explicit PerformanceAnswers(std::string programFolder);

  // The range route.date to route.lastDate; 400 for one the analysis
  // refuses (the wrong way round, more than kMostAnalysedDays days), 500
  // when prog.cfg or turbine.cfg is there and cannot be read.
  WebAnswer performance(const Route& route);

  // The analysis and its cache, for the other answers made of it.
  DayFileAnalysis& dayAnalysis() { return analysis; }
  const std::string& folder() const { return programFolder; }

 private:
  const std::string programFolder;
  DayFileAnalysis analysis;
};

}  // namespace tamsel
