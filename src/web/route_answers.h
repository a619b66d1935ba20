#pragma once
// What makes the answer of each kind of request the route table names.
#include "web/request_router.h"

namespace tamsel {

class DayAnswers;
class LiveAnswers;
class PerformanceAnswers;
struct WebAnswer;

// What the answers are made of; the server owns them.
struct AnswerSources {
  DayAnswers& days;
  LiveAnswers& live;
  PerformanceAnswers& performance;
};

// The answer of a route the table names; 404 for a kind no path leads to
// and for the event stream, whose connection the server keeps itself.
WebAnswer routeAnswer(AnswerSources& sources, const Route& route);

}  // namespace tamsel
