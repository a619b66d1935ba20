#pragma once
// Timers are found by their designer names, as every control is.
#include <QString>
#include <QTimer>

namespace tamsel {

inline QTimer* makeNamedTimer(QObject* parent, const char* name, int intervalMs) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(QString::fromLatin1(name));
  timer->setInterval(intervalMs);
  return timer;
}

}  // namespace tamsel
