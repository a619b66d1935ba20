// The turbine window: turbine.cfg in and out, and values it will not save.
#include "setup/turbine_setup.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "setup/program_setup.h"
#include "support/fake_dialogs.h"
#include "support/find_control.h"
#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::control;

const std::string kTurbineSaved =
    "Turbine Config File\r\n\r\n<RotorDiameter>3</RotorDiameter>\r\n<RatedPower></RatedPower>\r\n"
    "<CutOut></CutOut>\r\n<GearRatio></GearRatio>\r\n<Curve>4:100 6:300</Curve>\r\n"
    "<Altitude></Altitude>\r\n<Temperature></Temperature>\r\n<FullVolts></FullVolts>\r\n"
    "<MinBinMinutes></MinBinMinutes>\r\n\r\n";

QLineEdit* turbineBox(const QDialog& w, const char* name) {
  return control<QLineEdit>(w, name);
}

// Opened from the setup window, the window shows turbine.cfg, offers the
// full battery at 1.2 times the SV chosen there, and saves what was typed;
// a value the analysis cannot use is refused naming its key, and nothing is
// written.
TEST(TurbineWindow, SavesFromTheSetupWindowOrRefusesAValueNamingItsKey) {
  const struct {
    const char* box;
    const char* typed;
    const char* message;  // "" when saved
  } cases[] = {
      {"RatedPower", "600", ""},
      {"CutOut", "fast", "turbine.cfg: CutOut is no number"},
      {"RotorDiameter", "-3", "turbine.cfg: RotorDiameter must be above 0 and at most 200"},
      {"Curve", "3:20 2:10", "turbine.cfg: Curve does not rise in wind speed at \"2:10\""},
  };
  for (const auto& c : cases) {
    test::TempFolder folder;
    test::FakeDialogs dialogs;
    folder.write("prog.cfg", "<SV>12</SV>");
    folder.write("turbine.cfg", kTurbineSaved);
    ProgramSetup setup(folder.path(), dialogs, nullptr,
                       {[] { return std::vector<std::string>{}; }});
    bool accepted = false;
    dialogs.onModal = [&](QDialog& w) {
      EXPECT_EQ(turbineBox(w, "RotorDiameter")->text(), "3");
      EXPECT_EQ(turbineBox(w, "FullVolts")->placeholderText(), "14.4 (1.2 \u00d7 SV)");
      turbineBox(w, c.box)->setText(c.typed);
      control<QPushButton>(w, "SaveTurbineButton")->click();
      accepted = w.result() == QDialog::Accepted;
    };
    control<QPushButton>(setup, "TurbineButton")->click();
    EXPECT_EQ(dialogs.messages.join("|").toStdString(), c.message) << c.box;
    EXPECT_EQ(accepted, !*c.message) << c.box;
    std::string expected = kTurbineSaved;
    if (!*c.message) expected.replace(expected.find("<RatedPower><"), 13, "<RatedPower>600<");
    EXPECT_EQ(folder.read("turbine.cfg"), expected) << c.box;
  }
}

}  // namespace
}  // namespace tamsel
