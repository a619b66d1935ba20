#include "setup/program_setup.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "support/fake_dialogs.h"
#include "support/find_control.h"
#include "support/pseudo_terminal.h"
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

template <class Control>
Control* find(const ProgramSetup& window, const char* name) {
  return test::control<Control>(window, name);
}
QLineEdit* box(const ProgramSetup& w, const char* name) {
  return find<QLineEdit>(w, name);
}
QAbstractButton* button(const ProgramSetup& w, const char* name) {
  return find<QAbstractButton>(w, name);
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

// Saving writes what the controls hold: the same bytes show every one was filled.
TEST_F(SetupWindow, LoadFillsEveryControlAndSavingWritesTheSameBytesAndCloses) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  button(w, "SaveSettingsButton")->click();
  EXPECT_EQ(saved(), kFull);
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SetupWindow, SecondOpenAndSaveIsByteIdenticalToTheFirst) {
  // Unmatched group values, odd check values and shuffled lines settle on the first save;
  // a group's value is matched as a number.
  folder.write("prog.cfg",
               "<SV>36</SV><LogOn>2</LogOn>\n<Port>1</Port>junk<BR>57600</BR><MA> 5e1 </MA>"
               "<MR>600x</MR>");
  open().SaveSettingsButton_Click();
  const std::string first = saved();
  open().SaveSettingsButton_Click();
  EXPECT_EQ(saved(), first);
  EXPECT_NE(first.find("<SV>24</SV>\r\n"), std::string::npos);
  EXPECT_NE(first.find("<LogOn>0</LogOn>\r\n"), std::string::npos);
  EXPECT_NE(first.find("<BR>57600</BR>\r\n"), std::string::npos);
  EXPECT_NE(first.find("<MA>50</MA>\r\n"), std::string::npos);
  EXPECT_NE(first.find("<MR>400</MR>\r\n"), std::string::npos);
}

// Text values are shown and saved as they stand, in the file's own encoding.
TEST_F(SetupWindow, TextValuesRoundTripAsTheyStand) {
  folder.write("prog.cfg", withValues({{"WSUnits", " km/h\xB2 "}}));
  ProgramSetup& w = open();
  EXPECT_EQ(box(w, "WSUnits")->text(), QString::fromUtf8(" km/h\u00B2 "));
  w.SaveSettingsButton_Click();
  EXPECT_EQ(saved(), withValues({{"WSUnits", " km/h\xB2 "}}));
}

TEST_F(SetupWindow, PortWithLettersShowsTheMessageAndClosingByTheFrameWritesNothing) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  box(w, "PortNumber")->setText("COM1");
  box(w, "LogDelay")->setText("5");
  button(w, "SaveSettingsButton")->click();
  EXPECT_EQ(dialogs.messages,
            QStringList{"There is a bad number for Port Number. Must be between 1 and 8 ( 1 or "
                        "2 most common )"});
  EXPECT_EQ(saved(), kFull);
  EXPECT_TRUE(w.isVisible());
  EXPECT_NE(w.result(), QDialog::Accepted);
  EXPECT_EQ(box(w, "PortNumber")->text(), "COM1");  // the user's entries stay
  w.close();                                        // closing by the frame writes nothing
  EXPECT_EQ(saved(), kFull);
  EXPECT_EQ(w.result(), QDialog::Rejected);
}

TEST_F(SetupWindow, AbortSavesTheOtherEditsAndChosenOptionsWithPortZero) {
  folder.write("prog.cfg", kFull);
  ProgramSetup& w = open();
  box(w, "PortNumber")->setText("COM1");  // Abort replaces even a bad port
  button(w, "SaveExcel")->click();
  box(w, "WSUnits")->setText("m/s");
  for (const char* option : {"Option1", "Option6", "Option7", "Option15", "Option19"})
    button(w, option)->click();
  EXPECT_EQ(button(w, "AbortButton")->toolTip(),
            "Save with no serial port: Tamsel runs without a board");
  button(w, "AbortButton")->click();
  EXPECT_EQ(saved(), withValues({{"Port", "0"},
                                 {"SaveExcel", "1"},
                                 {"WSUnits", "m/s"},
                                 {"SV", "12"},
                                 {"MA", "50"},
                                 {"BR", "2400"},
                                 {"MR", "600"},
                                 {"MP", "2000"}}));
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

// number it puts in the Port box now reaches the device.
TEST_F(SetupWindow, LinkButtonGivesAnUnreachedDeviceAPortNumberThatOpensIt) {
  test::PseudoTerminal device;
  ASSERT_TRUE(device.ok());
  const QString pts = QString::fromStdString(device.deviceName());
  std::filesystem::create_directory(folder.file("by-id"));
  const std::string stable = folder.file("by-id/usb-Test_Adapter-if00-port0");
  std::filesystem::create_symlink(device.deviceName(), stable);
  window = std::make_unique<ProgramSetup>(
      folder.path(), dialogs, nullptr,
      SerialDeviceSource{[&] {
                           return std::vector<std::string>{"/dev/ttyS0", device.deviceName()};
                         },
                         folder.file("by-id")});
  ProgramSetup& w = *window;
  w.show();
  auto* hint = find<QLabel>(w, "PortHint");
  const QString arrow = QStringLiteral(" %1 ").arg(QChar(0x2192));
  EXPECT_EQ(hint->toolTip(), pts + " (no port number)\n1" + arrow + "/dev/ttyS0");
  ASSERT_TRUE(button(w, "LinkButton")->isEnabled());
  EXPECT_TRUE(button(w, "LinkButton")->toolTip().contains(pts));

  button(w, "LinkButton")->click();
  ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('|').toStdString();
  EXPECT_EQ(box(w, "PortNumber")->text(), "2");  // 1 opens /dev/ttyS0
  EXPECT_EQ(std::filesystem::read_symlink(folder.file("com2")), stable);
  EXPECT_EQ(hint->toolTip(), "2" + arrow + pts + "\n1" + arrow + "/dev/ttyS0");
  EXPECT_FALSE(button(w, "LinkButton")->isEnabled());
}

TEST_F(SetupWindow, LinkOrFileThatCannotBeMadeIsReportedInOneLineAndTheWindowStays) {
  const std::string missing = folder.file("no-such-folder");
  ProgramSetup w(missing, dialogs, nullptr,
                 SerialDeviceSource{[] { return std::vector<std::string>{"/dev/ttyUSB7"}; },
                                    folder.file("by-id")});
  w.show();
  box(w, "PortNumber")->setText("5");
  button(w, "LinkButton")->click();
  EXPECT_EQ(dialogs.messages,
            QStringList{QString::fromStdString("Could not link /dev/ttyUSB7 as " + missing +
                                               "/com1: No such file or directory")});
  EXPECT_EQ(box(w, "PortNumber")->text(), "5");
  EXPECT_TRUE(button(w, "LinkButton")->isEnabled());
  w.SaveSettingsButton_Click();
  EXPECT_EQ(dialogs.messages.last(), "prog.cfg could not be saved: No such file or directory");
  EXPECT_TRUE(w.isVisible());
  EXPECT_NE(w.result(), QDialog::Accepted);
}

// Tests find every control by name; a screen reader reads a control's name,
// which for a label showing a value (the folder, the devices) is that value.
// A long device list is cut short with an ellipsis and a long folder elided
// in the middle; the tooltips keep everything.
TEST_F(SetupWindow, EveryControlHasANameAndAScreenReaderReadsWhatALongListAndFolderShow) {
  const std::string longFolder = "/home/someone/" + std::string(200, 'x') + "/tamsel";
  const std::vector<std::string> devices = {"/dev/ttyUSB10", "/dev/ttyACM10", "/dev/ttyUSB11",
                                            "/dev/ttyS10"};
  ProgramSetup w(longFolder, dialogs, nullptr, {[&] { return devices; }, "/nonexistent"});
  w.show();
  for (QWidget* widget : w.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(widget) && widget->objectName().isEmpty()) continue;  // captions
    const std::string name = widget->objectName().toStdString();
    EXPECT_FALSE(name.empty()) << widget->metaObject()->className();
    const QString read = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    if (name == "PortHint" || name == "ProgramFolderLabel") {  // values, not captions
      EXPECT_EQ(read, qobject_cast<QLabel*>(widget)->text()) << name;
      EXPECT_FALSE(widget->accessibleDescription().isEmpty()) << name;
    } else {
      EXPECT_FALSE(read.isEmpty()) << name;
    }
  }
  auto* hint = test::control<QLabel>(w, "PortHint");
  EXPECT_LE(hint->heightForWidth(hint->width()), hint->height()) << hint->text().toStdString();
  EXPECT_TRUE(hint->text().endsWith(QChar(0x2026))) << hint->text().toStdString();
  EXPECT_EQ(hint->toolTip().split('\n').size(), 4);
  auto* files = test::control<QLabel>(w, "ProgramFolderLabel");
  EXPECT_LE(files->sizeHint().width(), files->width());
  EXPECT_TRUE(files->text().startsWith("Files in: /home/")) << files->text().toStdString();
  EXPECT_TRUE(files->text().endsWith("x/tamsel")) << files->text().toStdString();
  EXPECT_EQ(files->toolTip(), QString::fromStdString(longFolder));
}

}  // namespace
}  // namespace tamsel
