#pragma once
// An answer as the bytes sent: the status line, the headers every answer
// carries, and the body (none for HEAD). Made whole before anything is
// written, so an answer held back can go out later just as it would have.
#include <string>
#include <string_view>

#include "web/day_answers.h"

namespace tamsel {

struct AnswerForm {
  bool head = false;     // a HEAD request: the headers only
  bool dynamic = false;  // changes from one request to the next: not kept by caches
  bool close = false;    // the connection ends after it
};

std::string answerText(const WebAnswer& answer, AnswerForm form);
// The head that starts an event stream; its body runs until the connection ends.
std::string eventStreamHead();
// "Not Found" for 404, and so on; "Unknown" for a status not used here.
std::string_view reasonPhrase(int status);

}  // namespace tamsel
