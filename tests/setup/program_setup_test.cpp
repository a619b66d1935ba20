#include "setup/program_setup.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::FakeDialogs;
using test::TempFolder;

const std::string kFull =
    "Program Config File\r\n\r\n<Port>3</Port>\r\n<Savehtml>1</Savehtml>\r\n"
    "<SaveExcel>0</SaveExcel>\r\n<LogDelay>30</LogDelay>\r\n<LogOn>1</LogOn>\r\n"
    "<DisplayRPM>1</DisplayRPM>\r\n<DisplayWS>0</DisplayWS>\r\n<WSUnits>km/h</WSUnits>\r\n"
    "<SV>48</SV>\r\n<MA>10</MA>\r\n<BR>9600</BR>\r\n<dispMessages>0</dispMessages>\r\n"
    "<MR>200</MR>\r\n<MP>300</MP>\r\n\r\n";

// kFull with some lines' values replaced.
std::string withValues(std::initializer_list<std::pair<std::string, std::string>> changes) {
  std::string text = kFull;
  for (const auto& [key, value] : changes) {
    const std::string open = "<" + key + ">";
    const size_t start = text.find(open) + open.size();
    text.replace(start, text.find("</" + key + ">") - start, value);
  }
  return text;
}

std::string withValue(const std::string& key, const std::string& value) {
  return withValues({{key, value}});
}

class SetupWindow : public ::testing::Test {
 protected:
  // Opens the window on the folder's prog.cfg, as its opener does.
  ProgramSetup& open() {
    window = std::make_unique<ProgramSetup>(folder.path(), dialogs);
    window->show();
    return *window;
  }
  std::string saved() const { return folder.read("prog.cfg"); }

  TempFolder folder;
  FakeDialogs dialogs;
  std::unique_ptr<ProgramSetup> window;
};

TEST_F(SetupWindow, LoadThenSaveOfAFullFileWritesTheSameBytesAndCloses) {
  folder.write("prog.cfg", kFull);
  open().SaveSettingsButton->click();
  EXPECT_EQ(saved(), kFull);
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SetupWindow, LoadFillsEveryControl) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  EXPECT_EQ(w.PortNumber->text(), "3");
  EXPECT_EQ(w.LogDelay->text(), "30");
  EXPECT_EQ(w.WSUnits->text(), "km/h");
  EXPECT_TRUE(w.Savehtml->isChecked());
  EXPECT_FALSE(w.SaveExcel->isChecked());
  EXPECT_TRUE(w.LogOn->isChecked());
  EXPECT_TRUE(w.DisplayRPM->isChecked());
  EXPECT_FALSE(w.DisplayWS->isChecked());
  EXPECT_FALSE(w.DisplayMessages->isChecked());
  EXPECT_TRUE(w.Option3->isChecked());
  EXPECT_TRUE(w.Option4->isChecked());
  EXPECT_TRUE(w.Option9->isChecked());
  EXPECT_TRUE(w.Option11->isChecked());
  EXPECT_TRUE(w.Option16->isChecked());
}

TEST_F(SetupWindow, SecondOpenAndSaveIsByteIdenticalToTheFirst) {
  // Unmatched group values, odd check values and shuffled lines settle on the first save.
  folder.write("prog.cfg", "<SV>36</SV><LogOn>2</LogOn>\n<Port>1</Port>junk<BR>57600</BR>");
  open().SaveSettingsButton_Click();
  const std::string first = saved();
  open().SaveSettingsButton_Click();
  EXPECT_EQ(saved(), first);
  EXPECT_NE(first.find("<SV>24</SV>\r\n"), std::string::npos);
  EXPECT_NE(first.find("<LogOn>0</LogOn>\r\n"), std::string::npos);
}

TEST_F(SetupWindow, StoredVoltageMatchingNoOptionShows24AndSaves24) {
  folder.write("prog.cfg", withValue("SV", "36"));
  ProgramSetup& w = open();
  EXPECT_TRUE(w.Option2->isChecked());
  EXPECT_FALSE(w.Option1->isChecked() || w.Option3->isChecked());
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(), withValue("SV", "24"));
}

TEST_F(SetupWindow, BaudRate57600IsSelectedAndSavedBack) {
  folder.write("prog.cfg", withValue("BR", "57600"));
  ProgramSetup& w = open();
  EXPECT_TRUE(w.Option10->isChecked());
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(), withValue("BR", "57600"));
}

TEST_F(SetupWindow, ChosenOptionsAreSaved) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  w.Option1->click();
  w.Option6->click();
  w.Option7->click();
  w.Option15->click();
  w.Option19->click();
  w.SaveSettingsButton_Click();
  EXPECT_EQ(
      saved(),
      withValues({{"SV", "12"}, {"MA", "50"}, {"BR", "2400"}, {"MR", "600"}, {"MP", "2000"}}));
}

TEST_F(SetupWindow, PortWithLettersShowsTheMessageWritesNothingAndStaysOpen) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  w.PortNumber->setText("COM1");
  w.LogDelay->setText("5");
  w.SaveSettingsButton->click();
  EXPECT_EQ(dialogs.messages,
            QStringList{"There is a bad number for Port Number. Must be between 1 and 8 ( 1 or "
                        "2 most common )"});
  EXPECT_EQ(saved(), kFull);
  EXPECT_TRUE(w.isVisible());
  EXPECT_NE(w.result(), QDialog::Accepted);
  EXPECT_EQ(w.PortNumber->text(), "COM1");  // the user's entries stay
}

TEST_F(SetupWindow, AnyNumericPortIsAcceptedWithoutARangeTest) {
  for (const char* port : {"12", "0", " 2 "}) {
    folder.write("prog.cfg", kFull);
    ProgramSetup& w = open();
    w.PortNumber->setText(port);
    w.SaveSettingsButton_Click();
    EXPECT_EQ(saved(), withValue("Port", port)) << port;
    EXPECT_EQ(w.result(), QDialog::Accepted) << port;
  }
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SetupWindow, AbortSavesTheOtherEditsWithPortZero) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  w.PortNumber->setText("COM1");  // Abort replaces even a bad port
  w.SaveExcel->setChecked(true);
  w.WSUnits->setText("m/s");
  w.Option12->click();
  w.AbortButton->click();
  const std::string expected =
      withValues({{"Port", "0"}, {"SaveExcel", "1"}, {"WSUnits", "m/s"}, {"MR", "300"}});
  EXPECT_EQ(saved(), expected);
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SetupWindow, LoggingIntervalThatIsNoNumberIsSavedUnchanged) {
  folder.write("prog.cfg", withValue("LogDelay", "ten"));
  ProgramSetup& w = open();
  EXPECT_EQ(w.LogDelay->text(), "ten");
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(), withValue("LogDelay", "ten"));
}

TEST_F(SetupWindow, WindSpeedUnitKeepsItsSurroundingBlanks) {
  folder.write("prog.cfg", withValue("WSUnits", " m/s  "));
  ProgramSetup& w = open();
  EXPECT_EQ(w.WSUnits->text(), " m/s  ");
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(), withValue("WSUnits", " m/s  "));
}

TEST_F(SetupWindow, BytesBeyondAsciiRoundTripOneForOne) {
  folder.write("prog.cfg", withValue("WSUnits", "km/h\xB2"));
  ProgramSetup& w = open();
  EXPECT_EQ(w.WSUnits->text(), QString::fromUtf8("km/h\u00B2"));
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(), withValue("WSUnits", "km/h\xB2"));
}

TEST_F(SetupWindow, LinesInAnotherOrderReadTheSame) {
  const std::string shuffled =
      "<MP>300</MP>\r\n<dispMessages>0</dispMessages>extra<MR>200</MR>\r\n<BR>9600</BR>"
      "<MA>10</MA><SV>48</SV>\r\n<WSUnits>km/h</WSUnits><DisplayWS>0</DisplayWS>"
      "<DisplayRPM>1</DisplayRPM>\r\n\r\n<LogOn>1</LogOn><LogDelay>30</LogDelay>"
      "<SaveExcel>0</SaveExcel><Savehtml>1</Savehtml><Port>3</Port>Program Config File";
  folder.write("prog.cfg", shuffled);
  open().SaveSettingsButton_Click();
  EXPECT_EQ(saved(), kFull);
}

TEST_F(SetupWindow, MissingFileOpensWithDefaultsAndSavingCreatesIt) {
  ProgramSetup& w = open();
  EXPECT_EQ(w.PortNumber->text(), "");
  EXPECT_EQ(w.LogDelay->text(), "60");
  EXPECT_EQ(w.WSUnits->text(), "mph");
  EXPECT_TRUE(w.Option2->isChecked() && w.Option5->isChecked() && w.Option8->isChecked() &&
              w.Option13->isChecked() && w.Option18->isChecked());
  w.PortNumber->setText("1");
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(),
            "Program Config File\r\n\r\n<Port>1</Port>\r\n<Savehtml>0</Savehtml>\r\n"
            "<SaveExcel>0</SaveExcel>\r\n<LogDelay>60</LogDelay>\r\n<LogOn>0</LogOn>\r\n"
            "<DisplayRPM>1</DisplayRPM>\r\n<DisplayWS>0</DisplayWS>\r\n<WSUnits>mph</WSUnits>\r\n"
            "<SV>24</SV>\r\n<MA>20</MA>\r\n<BR>4800</BR>\r\n<dispMessages>1</dispMessages>\r\n"
            "<MR>400</MR>\r\n<MP>1000</MP>\r\n\r\n");
}

TEST_F(SetupWindow, MissingKeysKeepTheirDefaultsAndTheRestLoads) {
  folder.write("prog.cfg", "<Port>2</Port>\r\n<LogDelay>15</LogDelay>\r\n<MP>3000</MP>\r\n");
  ProgramSetup& w = open();
  EXPECT_EQ(w.PortNumber->text(), "2");
  EXPECT_EQ(w.LogDelay->text(), "15");
  EXPECT_EQ(w.WSUnits->text(), "mph");
  EXPECT_TRUE(w.Option20->isChecked());
  EXPECT_TRUE(w.Option13->isChecked());
}

TEST_F(SetupWindow, ClosingByTheFrameWritesNothing) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  w.PortNumber->setText("7");
  w.close();
  EXPECT_EQ(saved(), kFull);
  EXPECT_EQ(w.result(), QDialog::Rejected);

  TempFolder empty;
  ProgramSetup fresh(empty.path(), dialogs);
  fresh.show();
  fresh.reject();
  EXPECT_EQ(empty.read("prog.cfg"), "<missing>");
}

TEST_F(SetupWindow, FileThatCannotBeWrittenIsReportedAndTheWindowStaysOpen) {
  const std::string gone = folder.file("no-such-folder");
  ProgramSetup w(gone, dialogs);
  w.show();
  w.PortNumber->setText("1");
  w.SaveSettingsButton_Click();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_EQ(dialogs.messages[0], "prog.cfg could not be saved: No such file or directory");
  EXPECT_TRUE(w.isVisible());
  EXPECT_NE(w.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace tamsel
