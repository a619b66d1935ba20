#include "setup/program_config.h"

#include <gtest/gtest.h>

#include "setup/option_groups.h"
#include "setup/serial_hint.h"

namespace tamsel {
namespace {

ProgramConfig sample() {
  ProgramConfig c;
  c.Port = "3";
  c.Savehtml = "1";
  c.SaveExcel = "0";
  c.LogDelay = "30";
  c.LogOn = "1";
  c.DisplayRPM = "0";
  c.DisplayWS = "1";
  c.WSUnits = " km/h";
  c.SV = "48";
  c.MA = "50";
  c.BR = "57600";
  c.dispMessages = "1";
  c.MR = "600";
  c.MP = "3000";
  return c;
}

const char kSampleText[] =
    "Program Config File\r\n\r\n<Port>3</Port>\r\n<Savehtml>1</Savehtml>\r\n"
    "<SaveExcel>0</SaveExcel>\r\n<LogDelay>30</LogDelay>\r\n<LogOn>1</LogOn>\r\n"
    "<DisplayRPM>0</DisplayRPM>\r\n<DisplayWS>1</DisplayWS>\r\n<WSUnits> km/h</WSUnits>\r\n"
    "<SV>48</SV>\r\n<MA>50</MA>\r\n<BR>57600</BR>\r\n<dispMessages>1</dispMessages>\r\n"
    "<MR>600</MR>\r\n<MP>3000</MP>\r\n\r\n";

TEST(ProgramConfigText, HasHeaderKeysInFileOrderAndEndsWithAnEmptyLine) {
  EXPECT_EQ(programConfigText(sample()), kSampleText);
}

TEST(ProgramConfigRead, ReadsBackWhatWasWritten) {
  EXPECT_EQ(readProgramConfig(kSampleText, setupDefaults()), sample());
}

TEST(ProgramConfigRead, LinesInAnotherOrderWithTextBetweenReadTheSame) {
  const std::string shuffled =
      "<MP>3000</MP>\n<MR>600</MR> junk <dispMessages>1</dispMessages><BR>57600</BR>\r\n"
      "<MA>50</MA>x<SV>48</SV><WSUnits> km/h</WSUnits><DisplayWS>1</DisplayWS>"
      "<DisplayRPM>0</DisplayRPM><LogOn>1</LogOn>\r\n\r\n<LogDelay>30</LogDelay>"
      "<SaveExcel>0</SaveExcel><Savehtml>1</Savehtml>Program Config File<Port>3</Port>";
  EXPECT_EQ(readProgramConfig(shuffled, setupDefaults()), sample());
}

TEST(ProgramConfigRead, AKeyThatCannotBeReadKeepsItsFallbackAndTheRestAreRead) {
  // No <MR> at all, and a closing </LogOn> standing before its opening tag.
  std::string text = kSampleText;
  text.erase(text.find("<MR>600</MR>\r\n"), 14);
  text = "</LogOn>" + text;
  const ProgramConfig read = readProgramConfig(text, setupDefaults());
  ProgramConfig expected = sample();
  expected.MR = setupDefaults().MR;
  expected.LogOn = setupDefaults().LogOn;
  EXPECT_EQ(read, expected);
}

TEST(ProgramConfigRead, NoTextGivesTheFallbackWhole) {
  EXPECT_EQ(readProgramConfig("", setupDefaults()), setupDefaults());
}

TEST(ProgramConfigRead, SurroundingBlanksAreKept) {
  EXPECT_EQ(readProgramConfig("<WSUnits>  m/s \t</WSUnits>", setupDefaults()).WSUnits, "  m/s \t");
}

TEST(CheckBoxValue, OnlyTheNumberOneTicks) {
  const struct {
    const char* stored;
    bool ticked;
  } cases[] = {{"1", true},   {" 1 ", true}, {"1.0", true},  {"0", false}, {"2", false},
               {"-1", false}, {"", false},   {"yes", false}, {"1x", false}};
  for (const auto& c : cases) EXPECT_EQ(isTicked(c.stored), c.ticked) << '"' << c.stored << '"';
}

TEST(OptionGroupSelection, StoredValueSelectsTheOptionEqualAsANumber) {
  const std::vector<std::string_view> volts = {"12", "24", "48"};
  const std::vector<std::string_view> bauds = {"2400", "4800", "9600", "57600"};
  const struct {
    const std::vector<std::string_view>* values;
    const char* stored;
    std::optional<size_t> option;
  } cases[] = {
      {&volts, "12", 0},
      {&volts, "48", 2},
      {&volts, " 24 ", 1},
      {&volts, "24.0", 1},
      {&volts, "36", std::nullopt},
      {&volts, "", std::nullopt},
      {&volts, "24V", std::nullopt},
      {&volts, "abc", std::nullopt},
      {&bauds, "57600", 3},
      {&bauds, "2.4e3", 0},
      {&bauds, "57601", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(matchingOption(c.stored, *c.values), c.option) << '"' << c.stored << '"';
}

TEST(OptionGroupSelection, InitialSelectionsAreTheDesignOnes) {
  std::vector<std::string_view> initial;
  for (const OptionGroup& group : optionGroups()) initial.push_back(group.values[group.initial]);
  EXPECT_EQ(initial, (std::vector<std::string_view>{"24", "20", "4800", "400", "1000"}));
}

TEST(SerialDevicesHint, NamesTheDevicesSortedAndShortensALongList) {
  EXPECT_EQ(serialDevicesHint({}), "No serial device found");
  EXPECT_EQ(serialDevicesHint({"/dev/ttyUSB0"}), "Found: /dev/ttyUSB0");
  EXPECT_EQ(serialDevicesHint({"/dev/ttyUSB0", "/dev/ttyACM0"}),
            "Found: /dev/ttyACM0, /dev/ttyUSB0");
  EXPECT_EQ(serialDevicesHint({"d", "c", "b", "a"}), "Found: a, b, ...");
  EXPECT_EQ(serialDevicesHint({"d", "c", "b", "a"}, 4), "Found: a, b, c, d");
}

}  // namespace
}  // namespace tamsel
