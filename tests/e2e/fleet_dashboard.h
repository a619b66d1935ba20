#pragma once
// The fleet dashboard's queries, read from its Grafana JSON and evaluated by
// a real VictoriaMetrics over the records the program sent.
#include <map>
#include <string>

#include "support/victoria_metrics.h"

namespace tamsel::e2e {

// Every query of the dashboard (the site list and each panel's) answers with
// the series it is meant to show for `site`: a panel of one quantity gives
// the value `sent` holds at a record's time, energy per day gives each past
// day file's watt-hours. Failures are reported as test failures.
void expectDashboardShowsSentRecords(const test::VictoriaMetrics& database,
                                     const std::map<std::string, test::Series>& sent,
                                     const std::string& logsFolder, const std::string& site);

}  // namespace tamsel::e2e
