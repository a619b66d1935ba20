#pragma once
// Every path the dashboard answers, once: the kind of request it is, whether
// a cache may keep its answer, and what makes that answer.
#include <span>
#include <string_view>

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

struct RouteEntry {
  std::string_view path;  // the whole path; for Static, what the file's name follows
  RouteKind kind;
  bool cacheable;  // the same answer until the program changes
  // None for the event stream: the server itself keeps that connection.
  WebAnswer (*answer)(AnswerSources& sources, const Route& route);
};

std::span<const RouteEntry> routeTable();
// The first entry of `kind`; none for the kinds no path leads to (a bad
// request, one not found, ...).
const RouteEntry* routeEntryOf(RouteKind kind);

}  // namespace tamsel
