#pragma once
// Runs the owner's alarm command (alarm.cfg's Command) for every raised and
// cleared alarm, with the alarm's words as its arguments and no shell between.
// One runs at a time; the others wait their turn in order. What it prints
// goes line by line to errorlog.txt, as does a failure to start, a status
// other than 0, or its end when it runs past the time limit and is killed.
// Each run has a process group of its own: a run killed (past the time limit,
// or when the logger leaves) takes whatever it started with it.
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "session/error_reporter.h"
#include "session/session_observer.h"

namespace tamsel {

class AlarmCommandRunner : public QObject, public SessionObserver {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kTimeLimit{30000};
  static constexpr size_t kMostWaiting = 16;
  static constexpr size_t kMostOutputBytes = 64 * 1024;  // of one run, to the error log

  AlarmCommandRunner(std::string programFolder, ErrorReporter& reporter,
                     std::chrono::milliseconds timeLimit = kTimeLimit, QObject* parent = nullptr);
  ~AlarmCommandRunner() override;

  void alarmSettingsLoaded(const AlarmSettings& settings) override;
  // Only a state different from the one last told comes here, and not while leaving.
  void alarmNews(const AlarmEvent& event, const std::string& line) override;

  bool isRunning() const { return process.state() != QProcess::NotRunning; }
  size_t waiting() const { return queue.size(); }

 signals:
  // A run is over, however it ended.
  void runEnded();

 private:
  struct Run {
    std::string program;
    std::vector<std::string> arguments;
  };

  void startNext();
  void killGroup();
  void readOutput();
  void ended();
  void note(const std::string& what, const std::string& text);

  const std::string programFolder;
  ErrorReporter& reporter;
  std::string program;  // as alarm.cfg names it, resolved; empty for none
  std::deque<Run> queue;
  QProcess process;
  QTimer limit;
  std::string running;  // the program of the run under way
  std::string partialLine;
  size_t outputBytes = 0;
  bool killed = false;
};

}  // namespace tamsel
