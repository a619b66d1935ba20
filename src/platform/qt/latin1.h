#pragma once
// Files and frames are one byte per character; Qt speaks UTF-16. Convert at the edge.
#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace tamsel {

inline QString fromBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string toBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

}  // namespace tamsel
