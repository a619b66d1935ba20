#pragma once
// What makes the answer of each kind of request the route table names.
#include "web/request_router.h"

namespace tamsel {

class DayAnswers;
class LiveAnswers;
struct WebAnswer;

// What the answers are made of; the server owns both.
struct AnswerSources {
  DayAnswers& days;
  LiveAnswers& live;
};

// The answer of a route the table names; 404 for a kind no path leads to
// and for the event stream, whose connection the server keeps itself.
WebAnswer routeAnswer(AnswerSources& sources, const Route& route);

}  // namespace tamsel
