// Tamsel: a data logger for a wind-generator battery-charging system.
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "app/headless_logger.h"
#include "app/orvane_logger.h"
#include "app/outputs/make_outputs.h"
#include "app/process/command_line.h"
#include "app/process/folder_in_use.h"
#include "app/process/program_folder.h"
#include "app/process/standard_streams.h"
#include "app/process/termination_signals.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/serial/qt_serial_control.h"

namespace {

using namespace tamsel;

constexpr int kUsageError = 2;  // a bad option or an unusable --folder
// Its own status, so a service manager can tell "another Tamsel has the
// folder" (restarting cannot help) from a failure worth another try.
constexpr int kFolderInUse = 3;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

struct ProgramFolder {
  std::string path;
  std::optional<FolderLock> lock;
  int failure = 0;  // the exit status when there is no folder to work in
  std::string error;
};

// The folder, and the lock that keeps a second program from appending to its files.
ProgramFolder openProgramFolder(const CommandLine& line) {
  const Result<std::string> folder = chooseProgramFolder(
      {line.folder, executableFolder(), environment("XDG_DATA_HOME"), environment("HOME")});
  if (!folder) return {{}, std::nullopt, kUsageError, "tamsel: " + folder.error()};
  Result<FolderLock> lock = FolderLock::acquire(*folder);
  if (!lock) return {*folder, std::nullopt, kFolderInUse, "tamsel: " + lock.error()};
  return {*folder, std::move(*lock), 0, {}};
}

// Every output of the mode. The dashboard's address goes into the folder's
// lock, so a window started on the folder meanwhile can offer it.
std::unique_ptr<Outputs> outputsFor(ProgramFolder& folder, RunMode mode, const Clock& clock) {
  return makeOutputs(
      {folder.path, mode, clock, TAMSEL_VERSION, std::cerr, [&folder](const std::string& address) {
         if (folder.lock) folder.lock->noteDashboard(address);
       }});
}

int runHeadless(int argc, char** argv, const CommandLine& line) {
  QCoreApplication app(argc, argv);
  ProgramFolder folder = openProgramFolder(line);
  if (folder.failure) {
    std::cerr << folder.error << std::endl;
    return folder.failure;
  }
  SystemClock clock;
  QtSerialControl serial(folder.path);
  auto outputs = outputsFor(folder, RunMode::Headless, clock);
  HeadlessLogger logger(folder.path, clock, serial, *outputs);
  std::optional<TerminationSignals> termination;
  QTimer::singleShot(0, &app, [&] {
    logger.start();
    // Only now: leaving before start-up had recounted the day would write a
    // wrong watt-hours line.
    QObject::connect(&termination.emplace(), &TerminationSignals::requested, &app, [&] {
      logger.stop();
      QCoreApplication::quit();
    });
  });
  return app.exec();
}

int runWindow(int argc, char** argv, const CommandLine& line) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  ProgramFolder folder = openProgramFolder(line);
  QtDialogs dialogs;
  if (folder.failure) {
    // Started from a menu, nobody sees standard error.
    std::cerr << folder.error << std::endl;
    if (folder.failure == kFolderInUse) {
      tellFolderInUse(dialogs, folder.error, FolderLock::holderDashboard(folder.path));
    } else {
      QMessageBox::critical(nullptr, kProgramTitle, QString::fromStdString(folder.error));
    }
    return folder.failure;
  }
  SystemClock clock;
  QtSerialControl serial(folder.path);
  QtSerialControl calibrationSerial(folder.path);
  auto outputs = outputsFor(folder, RunMode::Window, clock);
  OrvaneLogger window(
      {folder.path, clock, dialogs, serial, calibrationSerial, outputs->observers()});
  std::optional<TerminationSignals> termination;
  window.show();
  // Start-up may ask the user about the port: do it with the window on screen.
  QTimer::singleShot(0, &window, [&] {
    // A session ending or a kill asks the window to close, which leaves as
    // "Exit" does; heard from the moment start-up begins, so it can also end
    // a port-problem dialogue.
    QObject::connect(&termination.emplace(), &TerminationSignals::requested, &window,
                     &QWidget::close);
    window.Form_Load();
  });
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  openMissingStandardStreams();
  holdTerminationSignals();
  const Result<CommandLine> line = parseCommandLine({argv + 1, argv + argc});
  if (!line) {
    std::cerr << "tamsel: " << line.error() << "\n\n" << usageText();
    return kUsageError;
  }
  switch (line->mode) {
    case CommandLine::Mode::Help:
      std::cout << usageText();
      return 0;
    case CommandLine::Mode::Version:
      std::cout << "tamsel " << TAMSEL_VERSION << "\n";
      return 0;
    case CommandLine::Mode::Headless:
      return runHeadless(argc, argv, *line);
    case CommandLine::Mode::Window:
      break;
  }
  return runWindow(argc, argv, *line);
}
