#pragma once
// Every path the dashboard answers, once: the kind of request it is and
// whether a cache may keep its answer. Plain data, so the router can be
// fuzzed without the server; what makes each kind's answer is in
// route_answers.
#include <span>
#include <string_view>

#include "web/request_router.h"

namespace tamsel {

struct RouteEntry {
  std::string_view path;  // the whole path; for Static, what the file's name follows
  RouteKind kind;
  bool cacheable;  // the same answer until the program changes
};

std::span<const RouteEntry> routeTable();
// The first entry of `kind`; none for the kinds no path leads to (a bad
// request, one not found, ...).
const RouteEntry* routeEntryOf(RouteKind kind);

}  // namespace tamsel
