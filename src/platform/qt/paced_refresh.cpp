#include "platform/qt/paced_refresh.h"

#include <algorithm>

namespace tamsel {

PacedRefresh::PacedRefresh(std::chrono::milliseconds period, std::function<void()> refresh,
                           const char* timerName, QObject* parent)
    : QObject(parent), period(period), refresh(std::move(refresh)), timer(new QTimer(this)) {
  timer->setObjectName(QString::fromLatin1(timerName));
  timer->setSingleShot(true);
  connect(timer, &QTimer::timeout, this, &PacedRefresh::refreshNow);
}

void PacedRefresh::changed() {
  if (timer->isActive()) return;  // a refresh is due already and will show this too
  const qint64 waited = sinceRefresh.isValid() ? sinceRefresh.elapsed() : period.count();
  timer->start(static_cast<int>(std::max<qint64>(0, period.count() - waited)));
}

void PacedRefresh::refreshNow() {
  timer->stop();
  sinceRefresh.start();
  refresh();
}

}  // namespace tamsel
