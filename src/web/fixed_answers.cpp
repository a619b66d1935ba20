#include "web/fixed_answers.h"

namespace tamsel {
namespace {

QByteArray fixedAnswer(const char* status, const QByteArray& body,
                       const QByteArray& moreHeaders = {}) {
  return QByteArray("HTTP/1.1 ") + status + "\r\n" + moreHeaders +
         "Content-Type: text/plain; charset=utf-8\r\nContent-Length: " +
         QByteArray::number(body.size()) +
         "\r\nContent-Security-Policy: " + kContentSecurityPolicy +
         "\r\nX-Content-Type-Options: " + kNoSniff + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace

QByteArray serviceUnavailableAnswer() {
  return fixedAnswer("503 Service Unavailable", "Too many clients; try again later.\n");
}

QByteArray headersTooLargeAnswer() {
  return fixedAnswer("431 Request Header Fields Too Large", "Request headers too large.\n");
}

QByteArray badRequestAnswer(const std::string& problem) {
  return fixedAnswer("400 Bad Request",
                     "Bad request: " + QByteArray::fromStdString(problem) + ".\n");
}

QByteArray unauthorizedAnswer() {
  return fixedAnswer("401 Unauthorized", "Password required.\n",
                     "WWW-Authenticate: Basic realm=\"Tamsel\", charset=\"UTF-8\"\r\n");
}

}  // namespace tamsel
