#include "web/answer_text.h"

#include <initializer_list>

#include "web/fixed_answers.h"

namespace tamsel {

std::string_view reasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 401:
      return "Unauthorized";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 414:
      return "URI Too Long";
    case 421:
      return "Misdirected Request";
    case 422:
      return "Unprocessable Content";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Unknown";
  }
}

namespace {

// Appends each piece in turn (gcc 12 warns wrongly about chains of +).
void add(std::string& text, std::initializer_list<std::string_view> pieces) {
  for (const std::string_view piece : pieces) text.append(piece);
}

}  // namespace

std::string answerText(const WebAnswer& answer, AnswerForm form) {
  std::string text;
  add(text, {"HTTP/1.1 ", std::to_string(answer.status), " ", reasonPhrase(answer.status)});
  add(text, {"\r\nContent-Type: ", answer.contentType});
  add(text, {"\r\nContent-Length: ", std::to_string(answer.body.size())});
  add(text, {"\r\nContent-Security-Policy: ", kContentSecurityPolicy});
  add(text, {"\r\nX-Content-Type-Options: ", kNoSniff});
  if (form.dynamic) add(text, {"\r\nCache-Control: no-store"});
  if (answer.status == 405) add(text, {"\r\nAllow: GET, HEAD"});
  if (!answer.attachmentName.empty())
    add(text, {"\r\nContent-Disposition: attachment; filename=\"", answer.attachmentName, "\""});
  if (form.close) add(text, {"\r\nConnection: close"});
  add(text, {"\r\n\r\n"});
  if (!form.head) text.append(answer.body);
  return text;
}

std::string eventStreamHead() {
  std::string text;
  add(text, {"HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store",
             "\r\nContent-Security-Policy: ", kContentSecurityPolicy,
             "\r\nX-Content-Type-Options: ", kNoSniff, "\r\n\r\n"});
  return text;
}

}  // namespace tamsel
