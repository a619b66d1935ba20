#pragma once
// Answers written before any request is read, and the headers every answer carries.
#include <QByteArray>
#include <string>

namespace tamsel {

// Every answer: nothing but the dashboard's own files may run in its pages,
// and a browser takes each answer as the type it is sent as.
inline constexpr const char* kContentSecurityPolicy = "default-src 'self'";
inline constexpr const char* kNoSniff = "nosniff";

// The 65th connection.
QByteArray serviceUnavailableAnswer();
// A request whose line and headers pass the bound.
QByteArray headersTooLargeAnswer();
// A request whose head is refused: `problem` says why.
QByteArray badRequestAnswer(const std::string& problem);
// A request without the password (the connection's last answer).
QByteArray unauthorizedAnswer();

}  // namespace tamsel
