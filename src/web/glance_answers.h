#pragma once
// /api/glance and the daily summary (/api/summary, /summary.csv): what the
// owner reads first, gathered from the live state, the day files' energy
// and the battery analysis, each kept by its cache between requests.
#include "web/day_answers.h"
#include "web/request_router.h"

namespace tamsel {

struct AnswerSources;

WebAnswer glanceAnswer(AnswerSources& sources);
// The days route.date to route.lastDate; the last 31 days up to today for
// a date not given. 400 for a range the analysis refuses.
WebAnswer summaryAnswer(AnswerSources& sources, const Route& route, bool csv);

}  // namespace tamsel
