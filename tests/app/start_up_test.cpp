#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "main_window_fixture.h"
#include "setup/program_setup.h"

namespace tamsel::test {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, TheLinesReadOutTheirTextAndTheHistoryOpensOverTheLogger) {
  start();
  // A screen reader reads the comms and message lines' text, not what they are.
  for (const char* line : {"Label2", "ErrorString"}) {
    QLabel* label = control<QLabel>(line);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), label->text())
        << line;
  }
  EXPECT_FALSE(control<QLineEdit>("delay")->isEnabled());
  EXPECT_TRUE(serial.isOpen());
  // The history window opens on its own over the running logger.
  QString shown;
  dialogs.onModal = [&](QDialog& history) {
    shown = history.windowTitle();
    test::control<QAbstractButton>(history, "ExitGraphsButton")->click();
  };
  control<QPushButton>("ShowLogs")->click();
  EXPECT_EQ(shown, "Log History");
}

// The rows and their font are the live list's own rules; here the window
// applies them. Messages (prog.cfg) and the comms box each show or hide the
// lower band.
TEST_F(StartUp, ListAndLowerBandFollowTheConfiguration) {
  struct Case {
    const char *rpm, *ws, *messages;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"1", "0", "0", {"Volts", "Amps", "Watts", "WattHours", "RPM"}},
      {"0", "1", "1", {"Volts", "Amps", "Watts", "WattHours", " knots"}},
  };
  int withoutMessages = 0;
  for (const Case& c : cases) {
    ProgCfg cfg;
    cfg.DisplayRPM = c.rpm;
    cfg.DisplayWS = c.ws;
    cfg.WSUnits = " knots";
    cfg.dispMessages = c.messages;
    start(cfg);
    EXPECT_EQ(listColumn(2), c.names);
    EXPECT_EQ(listColumn(1), std::vector<std::string>(c.names.size(), "0.0"));
    EXPECT_EQ(control<QTreeWidget>("ListView1")->font().pointSize(), 20);
    EXPECT_TRUE(control<QTreeWidget>("ListView1")->isHeaderHidden());
    if (*c.messages == '0') withoutMessages = window().height();
  }
  EXPECT_GT(window().height(), withoutMessages);
  control<QCheckBox>("Check1")->setChecked(true);
  const int shown = window().height();
  EXPECT_EQ(messageLine(), "");
  control<QLabel>("ErrorString")->setText("x");
  control<QCheckBox>("Check1")->setChecked(false);
  EXPECT_LT(window().height(), shown);
  EXPECT_EQ(messageLine(), "");
}

// Aborting the setup window leaves the port at 0, and without a port there
// is no automatic logging either. The calibration window, which then cannot
// open the port, is never shown; the setup window left at port 0 goes
// through the port problem once.
TEST_F(StartUp, MissingPortLoopsThroughTheSetupWindowUntilAbort) {
  serial.availablePorts = {};
  dialogs.onModal = [](QDialog& window) {
    ASSERT_EQ(window.objectName(), "ProgramSetup");
    test::control<QPushButton>(window, "AbortButton")->click();
  };
  start(loggingCfg());
  const QString problem = "There is a possible Port Number problem. Check available PORTS";
  EXPECT_EQ(dialogs.messages, QStringList{problem});
  EXPECT_EQ(dialogs.modalCount, 1);
  EXPECT_NE(folder.read("prog.cfg").find("<Port>0</Port>"), std::string::npos);
  EXPECT_NE(errorLog().find(
                "2010_05_23  14:05:33  port not available  The port does not exist <IM> \r\n"),
            std::string::npos)
      << errorLog();
  // Start-up ran again, without a port this time.
  EXPECT_EQ(commsLine(), " Waiting for COMM data");
  EXPECT_FALSE(serial.isOpen());
  EXPECT_FALSE(ticking());
  window().CalibrateButton_Click();
  EXPECT_EQ(dialogs.modalCount, 2);
  EXPECT_EQ(dialogs.messages, (QStringList{problem, problem}));
  EXPECT_FALSE(calibrationSerial.isOpen());
  dialogs.onModal = [](QDialog& window) {
    static_cast<ProgramSetup&>(window).SaveSettingsButton_Click();
  };
  window().Setup_Click();
  EXPECT_EQ(dialogs.modalCount, 4);
  EXPECT_EQ(dialogs.messages.size(), 3);
  EXPECT_EQ(serial.openCalls, 2);  // port 3, then port 0 once; start-up skips it
}

// A kill while the setup window is up closes the main window; from then on
// every dialogue returns at once, so the loop must end there, leaving once.
TEST_F(StartUp, ClosingTheWindowDuringThePortProblemEndsTheLoop) {
  serial.availablePorts = {};
  dialogs.onModal = [&](QDialog&) { window().close(); };
  start(loggingCfg());
  EXPECT_EQ(dialogs.modalCount, 1);
  EXPECT_FALSE(serial.isOpen());
  EXPECT_EQ(serial.openCalls, 1);
  EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_23 14:05  .0 Wh\r\n");
}

TEST_F(StartUp, MissingConfigurationBringsUpSetupAndThenRuns) {
  serial.availablePorts = {5};
  int passes = 0;
  std::string firstReason;
  dialogs.onModal = [&](QDialog& window) {
    if (passes == 0) firstReason = messageLine();
    auto& setup = static_cast<ProgramSetup&>(window);
    // First pass: a port that is not there either; second: one that is.
    test::control<QLineEdit>(setup, "PortNumber")->setText(++passes == 1 ? "4" : "5");
    setup.SaveSettingsButton_Click();
  };
  startWithoutProgCfg();
  // Not that the port number is no number: there is none until prog.cfg is made.
  EXPECT_NE(firstReason.find("prog.cfg is missing in " + folder.path() +
                             ": make one with \"Program Setup\""),
            std::string::npos)
      << firstReason;
  EXPECT_EQ(passes, 2);
  EXPECT_EQ(dialogs.messages.size(), 2);
  EXPECT_TRUE(serial.isOpen());
  EXPECT_EQ(serial.commPort(), 5);
  // A new line speed from the setup window reopens the port at once.
  dialogs.messages.clear();
  dialogs.onModal = [](QDialog& window) {
    auto& setup = static_cast<ProgramSetup&>(window);
    test::control<QAbstractButton>(setup, "Option10")->setChecked(true);
    setup.SaveSettingsButton_Click();
  };
  window().Setup_Click();
  EXPECT_TRUE(serial.isOpen());
  EXPECT_EQ(serial.settings(), "57600,N,8,1");
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

}  // namespace
}  // namespace tamsel::test
