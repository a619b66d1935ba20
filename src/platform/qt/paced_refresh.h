#pragma once
// Shows changes at most once per period. A window fed many frames a second
// would otherwise lay out and push a picture to the display for each one,
// which costs far more than the frame itself and shows nothing a person can
// see. The first change after a quiet spell is shown as soon as the event
// loop is free again (so everything one read brought is shown together);
// later ones wait until the period since the last refresh is over, and the
// refresh then shows the newest state.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace tamsel {

class PacedRefresh : public QObject {
  Q_OBJECT
 public:
  // `refresh` shows whatever changed; `timerName` names the timer, so tests
  // find it as they find every control.
  PacedRefresh(std::chrono::milliseconds period, std::function<void()> refresh,
               const char* timerName, QObject* parent);

  // Something changed that the screen should show.
  void changed();
  // Shows what changed now, whatever the period says (the timer's handler).
  void refreshNow();
  bool isDue() const { return timer->isActive(); }

 private:
  const std::chrono::milliseconds period;
  const std::function<void()> refresh;
  QTimer* const timer;
  QElapsedTimer sinceRefresh;  // invalid until the first refresh
};

}  // namespace tamsel
