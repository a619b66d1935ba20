#include "app/outputs/alarm_command_runner.h"

#include <signal.h>
#include <unistd.h>

#include "alarms/alarm_command.h"
#include "alarms/alarm_text.h"
#include "platform/number_format.h"

namespace tamsel {

AlarmCommandRunner::AlarmCommandRunner(std::string programFolder, ErrorReporter& reporter,
                                       std::chrono::milliseconds timeLimit, QObject* parent)
    : QObject(parent), programFolder(std::move(programFolder)), reporter(reporter) {
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setWorkingDirectory(QString::fromStdString(this->programFolder));
  // Its own process group, so whatever it starts can be ended with it.
  process.setChildProcessModifier([] { (void)::setpgid(0, 0); });
  limit.setSingleShot(true);
  limit.setInterval(timeLimit);
  connect(&limit, &QTimer::timeout, this, [this] {
    killed = true;
    killGroup();
  });
  connect(&process, &QProcess::readyRead, this, &AlarmCommandRunner::readOutput);
  connect(&process, &QProcess::finished, this, &AlarmCommandRunner::ended);
  connect(&process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;  // the others end in finished()
    note("alarm command failed", running + ": " + process.errorString().toStdString());
    limit.stop();
    emit runEnded();
    startNext();
  });
}

// Leaving kills a run still under way, and what it started, rather than waiting for it.
AlarmCommandRunner::~AlarmCommandRunner() {
  process.disconnect(this);
  if (isRunning()) {
    killGroup();
    process.waitForFinished(1000);
  }
}

// The command and everything it started: a `curl` it waits on would
// otherwise live on under init, one more at every alarm. Killed outright:
// the command has had its time, and the group is certain to be its own only
// while the command itself is still there, unreaped, to hold its number.
void AlarmCommandRunner::killGroup() {
  const qint64 group = process.processId();
  if (group > 1) (void)::kill(static_cast<pid_t>(-group), SIGKILL);
  process.kill();  // in case it could not take a group of its own
}

void AlarmCommandRunner::alarmSettingsLoaded(const AlarmSettings& settings) {
  program = commandProgram(settings.command, programFolder);
}

void AlarmCommandRunner::alarmNews(const AlarmEvent& /*event*/, const std::string& line) {
  if (program.empty()) return;
  if (queue.size() >= kMostWaiting) {
    note("alarm command skipped", "too many alarms waiting for it: " + line);
    return;
  }
  queue.push_back({program, commandArguments(line)});
  if (!isRunning()) startNext();
}

void AlarmCommandRunner::startNext() {
  if (queue.empty() || isRunning()) return;
  Run run = std::move(queue.front());
  queue.pop_front();
  running = run.program;
  partialLine.clear();
  outputBytes = 0;
  killed = false;
  QStringList arguments;
  for (const std::string& word : run.arguments) arguments << QString::fromLatin1(word);
  limit.start();
  process.start(QString::fromStdString(run.program), arguments);
}

// Whole lines as they come; a run that talks on and on is cut off in the log.
void AlarmCommandRunner::readOutput() {
  const QByteArray bytes = process.readAll();
  const size_t room = kMostOutputBytes > outputBytes ? kMostOutputBytes - outputBytes : 0;
  const size_t taken = std::min(room, static_cast<size_t>(bytes.size()));
  if (outputBytes < kMostOutputBytes && taken < static_cast<size_t>(bytes.size())) {
    partialLine += "\n(the rest of its output is left out)\n";
  }
  outputBytes += static_cast<size_t>(bytes.size());
  partialLine.append(bytes.constData(), taken);
  for (size_t end; (end = partialLine.find('\n')) != std::string::npos;) {
    std::string line = partialLine.substr(0, end);
    partialLine.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) note("alarm command", line);
  }
}

void AlarmCommandRunner::ended() {
  limit.stop();
  readOutput();
  if (!partialLine.empty()) note("alarm command", std::exchange(partialLine, {}));
  if (killed) {
    const double seconds = static_cast<double>(limit.interval()) / 1000;
    note("alarm command killed", running + " still ran after " + plainNumberText(seconds) + " s");
  } else if (process.exitStatus() == QProcess::CrashExit) {
    note("alarm command failed", running + " crashed");
  } else if (process.exitCode() != 0) {
    note("alarm command failed",
         running + " ended with status " + std::to_string(process.exitCode()));
  }
  emit runEnded();
  startNext();
}

void AlarmCommandRunner::note(const std::string& what, const std::string& text) {
  reporter.commandLine(what, text);
}

}  // namespace tamsel
