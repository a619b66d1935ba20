#include "web/request_head.h"

#include <array>
#include <cctype>

namespace tamsel {
namespace {

// More than any browser sends; a client sending more is up to no good.
constexpr size_t kMostHeaderLines = 100;

// The characters a method or a header's name is made of.
bool isTokenChar(char c) {
  if (std::isalnum(static_cast<unsigned char>(c))) return true;
  constexpr std::string_view kMarks = "!#$%&'*+-.^_`|~";
  return kMarks.find(c) != std::string_view::npos;
}

bool isToken(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (!isTokenChar(c)) return false;
  return true;
}

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool isDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// A name, an IPv4 address or a bracketed IPv6 address, and maybe a port.
bool isHostText(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    const bool allowed = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' ||
                         c == '_' || c == ':' || c == '[' || c == ']';
    if (!allowed) return false;
  }
  return true;
}

// What the head has said so far.
struct Seen {
  bool http10 = false;
  int hosts = 0;
  bool length = false;
  bool close = false;
  bool keepAlive = false;
  std::string host;
};

HeadCheck bad(std::string problem) {
  HeadCheck check;
  check.verdict = HeadVerdict::Bad;
  check.problem = std::move(problem);
  return check;
}

// "GET /path HTTP/1.1": empty when it is one, else what is wrong.
std::string requestLineProblem(std::string_view line, Seen& seen) {
  const size_t first = line.find(' ');
  const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
    return "malformed request line";
  const std::string_view method = line.substr(0, first);
  const std::string_view target = line.substr(first + 1, second - first - 1);
  const std::string_view version = line.substr(second + 1);
  if (!isToken(method)) return "malformed method";
  if (target.empty() || target.front() != '/') return "malformed request target";
  for (const char c : target)
    if (static_cast<unsigned char>(c) > 0x7e) return "malformed request target";
  if (version != "HTTP/1.1" && version != "HTTP/1.0") return "unsupported HTTP version";
  seen.http10 = version == "HTTP/1.0";
  return {};
}

std::string headerProblem(std::string_view line, Seen& seen) {
  if (line.front() == ' ' || line.front() == '\t') return "folded header line";
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos || !isToken(line.substr(0, colon)))
    return "malformed header line";
  const std::string_view name = line.substr(0, colon);
  const std::string_view value = trimmed(line.substr(colon + 1));
  if (sameLetters(name, "host")) {
    if (++seen.hosts > 1) return "Host given twice";
    if (!isHostText(value)) return "malformed Host";
    seen.host = std::string(value);
  } else if (sameLetters(name, "content-length")) {
    if (seen.length) return "Content-Length given twice";
    seen.length = true;
    if (!isDigits(value)) return "malformed Content-Length";
    if (value.find_first_not_of('0') != std::string_view::npos) return "a request with a body";
  } else if (sameLetters(name, "transfer-encoding")) {
    return "a request with a body";
  } else if (sameLetters(name, "upgrade")) {
    return "no protocol upgrade is offered";
  } else if (sameLetters(name, "expect")) {
    return "Expect is not supported";
  } else if (sameLetters(name, "connection")) {
    std::string_view options = value;
    while (!options.empty()) {
      const size_t comma = options.find(',');
      const std::string_view option = trimmed(options.substr(0, comma));
      seen.close = seen.close || sameLetters(option, "close");
      seen.keepAlive = seen.keepAlive || sameLetters(option, "keep-alive");
      options = comma == std::string_view::npos ? std::string_view() : options.substr(comma + 1);
    }
  }
  return {};
}

// Only CR LF ends a line, and no other control character but a tab is in
// it. A CR still waiting for its LF at the end of what came is no fault yet.
bool hasStrayControl(std::string_view line, bool complete) {
  for (size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == '\r') {
      if (i + 1 != line.size()) return true;
      continue;
    }
    if ((c < 0x20 && c != '\t') || c == 0x7f) return true;
  }
  return complete && (line.empty() || line.back() != '\r');
}

}  // namespace

HeadCheck checkRequestHead(std::string_view bytes) {
  Seen seen;
  size_t headLength = 0;
  for (size_t start = 0, lineNumber = 0; headLength == 0; ++lineNumber) {
    const size_t end = bytes.find('\n', start);
    const bool complete = end != std::string_view::npos;
    const std::string_view raw = bytes.substr(start, complete ? end - start : bytes.size() - start);
    if (hasStrayControl(raw, complete)) return bad("malformed line ending or control character");
    if (!complete) return {};
    const std::string_view line = raw.substr(0, raw.size() - 1);
    start = end + 1;
    if (lineNumber == 0) {
      if (std::string problem = requestLineProblem(line, seen); !problem.empty())
        return bad(problem);
      continue;
    }
    if (line.empty()) {
      headLength = start;
      continue;
    }
    if (lineNumber > kMostHeaderLines) return bad("too many header lines");
    if (std::string problem = headerProblem(line, seen); !problem.empty()) return bad(problem);
  }
  if (seen.hosts == 0) return bad("Host is missing");
  HeadCheck check;
  check.verdict = HeadVerdict::Good;
  check.host = seen.host;
  check.closeAfter = seen.close || (seen.http10 && !seen.keepAlive);
  check.length = headLength;
  return check;
}

bool isOwnHost(std::string_view host, std::string_view servedAddress) {
  std::string_view name = host;
  const size_t portColon = host.starts_with('[') ? host.find("]:") : host.find(':');
  if (portColon != std::string_view::npos) {
    const size_t nameEnd = host.starts_with('[') ? portColon + 1 : portColon;
    const std::string_view port = host.substr(nameEnd + 1);
    if (!isDigits(port) || port.size() > 5) return false;
    name = host.substr(0, nameEnd);
  }
  const bool v6 = servedAddress.find(':') != std::string_view::npos;
  const std::string served =
      v6 ? "[" + std::string(servedAddress) + "]" : std::string(servedAddress);
  const std::array<std::string_view, 4> own = {"127.0.0.1", "localhost", "[::1]", served};
  for (const std::string_view allowed : own)
    if (sameLetters(name, allowed)) return true;
  return false;
}

}  // namespace tamsel
