// Logging as the window's panel shows it; what logging does is the session's
// (tests/session).
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "main_window_fixture.h"
#include "platform/qt/form_layout.h"

namespace tamsel::test {
namespace {

using Logging = MainWindowTest;

// An interval that is no number is refused with a message; a start locks the
// panel, and a stop unlocks it.
TEST_F(Logging, StartLocksThePanelOrSaysWhyNotAndStopUnlocksIt) {
  start();
  for (const char* delay : {"ten", "601"}) {
    control<QLineEdit>("delay")->setText(delay);
    control<QPushButton>("StartLogging")->click();
  }
  EXPECT_EQ(dialogs.messages,
            QStringList{"Invalid delay period, needs to be a number between 1 and 600"});
  EXPECT_EQ(control<QLineEdit>("delay")->text().toStdString(), "600");
  EXPECT_TRUE(ticking());
  EXPECT_TRUE(control<QPushButton>("StopLogging")->isEnabled());
  for (const char* name : {"delay", "StartLogging", "Setup", "CalibrateButton"}) {
    EXPECT_FALSE(control(name)->isEnabled()) << name;
  }
  control<QPushButton>("StopLogging")->click();
  EXPECT_FALSE(ticking());
  for (const char* name : {"delay", "StartLogging", "Setup", "CalibrateButton"}) {
    EXPECT_TRUE(control(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(control<QPushButton>("StopLogging")->isEnabled());
}

// Each tick blinks; the short-interval caution replaces the red report,
// keeping its colour; a record that cannot be written stays in view over the
// caution until a record is written again.
TEST_F(Logging, ATickBlinksAndAWriteErrorStaysInViewOverTheCaution) {
  ProgCfg cfg = loggingCfg();
  cfg.LogDelay = "9.9";
  start(cfg);
  fire("Timer1");  // no data yet: reported in red
  EXPECT_EQ(backColour(control<QPushButton>("BlinkLog")), QColor(255, 0, 0));
  const std::string caution = "Caution Logging interval 2 short, Data Overflow may occur";
  EXPECT_EQ(messageLine(), caution);
  EXPECT_EQ(textColour(control<QLabel>("ErrorString")), QColor(255, 0, 0));
  std::filesystem::remove_all(folder.file("logs"));
  folder.write("logs", "a file where the folder should be");
  fire("Timer1");
  EXPECT_NE(messageLine().find("log file write error"), std::string::npos) << messageLine();
  std::filesystem::remove(folder.file("logs"));
  std::filesystem::create_directory(folder.file("logs"));
  fire("Timer1");
  EXPECT_EQ(messageLine(), caution);
}

// Closing by the frame does what Exit does, and the two together write the total once.
TEST_F(Logging, ExitOrClosingWritesTheTotalOnceAndClosesThePort) {
  for (const bool exitFirst : {false, true}) {
    OrvaneLogger& w = start();
    std::filesystem::remove(folder.file("logs/Whours.txt"));
    clock.set({2010, 5, 23, 17, 42, 0});
    if (exitFirst) w.Exit_Click();
    w.close();
    EXPECT_EQ(folder.read("logs/Whours.txt"), "2010_05_23 17:42  .0 Wh\r\n") << exitFirst;
    EXPECT_FALSE(serial.isOpen()) << exitFirst;
  }
}

}  // namespace
}  // namespace tamsel::test
