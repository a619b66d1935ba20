#include "config/program_config.h"

#include <gtest/gtest.h>

#include "config/calibration.h"

namespace tamsel {
namespace {

const ProgramConfig kSample{"3",     "1",  "0",  "30",    "1", "0",   "1",
                            " km/h", "48", "50", "57600", "1", "600", "3000"};

const char kSampleText[] =
    "Program Config File\r\n\r\n<Port>3</Port>\r\n<Savehtml>1</Savehtml>\r\n"
    "<SaveExcel>0</SaveExcel>\r\n<LogDelay>30</LogDelay>\r\n<LogOn>1</LogOn>\r\n"
    "<DisplayRPM>0</DisplayRPM>\r\n<DisplayWS>1</DisplayWS>\r\n<WSUnits> km/h</WSUnits>\r\n"
    "<SV>48</SV>\r\n<MA>50</MA>\r\n<BR>57600</BR>\r\n<dispMessages>1</dispMessages>\r\n"
    "<MR>600</MR>\r\n<MP>3000</MP>\r\n\r\n";

TEST(ProgramConfigText, HasHeaderKeysInFileOrderAndEndsWithAnEmptyLine) {
  EXPECT_EQ(programConfigText(kSample), kSampleText);
}

// The fallback is the setup window's defaults. Tags are found anywhere; a key
// that cannot be read keeps its fallback and the others are read all the same.
TEST(ProgramConfigRead, EachKeyIsReadWhereverItStandsOrKeepsItsFallback) {
  std::string withoutMr = kSampleText;
  withoutMr.erase(withoutMr.find("<MR>600</MR>\r\n"), 14);
  ProgramConfig noMrNorLogOn = kSample;
  noMrNorLogOn.MR = setupDefaults().MR;
  noMrNorLogOn.LogOn = setupDefaults().LogOn;
  ProgramConfig blanks = setupDefaults();
  blanks.WSUnits = "  m/s \t";
  const struct {
    const char* why;
    std::string text;
    ProgramConfig read;
  } cases[] = {
      {"lines in another order with text between",
       "<MP>3000</MP>\n<MR>600</MR> junk <dispMessages>1</dispMessages><BR>57600</BR>\r\n"
       "<MA>50</MA>x<SV>48</SV><WSUnits> km/h</WSUnits><DisplayWS>1</DisplayWS>"
       "<DisplayRPM>0</DisplayRPM><LogOn>1</LogOn>\r\n\r\n<LogDelay>30</LogDelay>"
       "<SaveExcel>0</SaveExcel><Savehtml>1</Savehtml>Program Config File<Port>3</Port>",
       kSample},
      {"no <MR>, and a </LogOn> before its opening tag", "</LogOn>" + withoutMr, noMrNorLogOn},
      {"no text", "", setupDefaults()},
      {"surrounding blanks are kept", "<WSUnits>  m/s \t</WSUnits>", blanks},
  };
  for (const auto& c : cases)
    EXPECT_EQ(readProgramConfig(c.text, setupDefaults()), c.read) << c.why;
}

// Load order, stopping at the first key it cannot read: a whole file reads
// every key but SV and MA.
TEST(ProgramConfigStrict, ReadsInLoadOrderAndStopsAtTheFirstKeyItCannotRead) {
  std::string text = kSampleText;
  text.erase(text.find("<MR>600</MR>\r\n"), 14);
  ProgramConfig read;
  read.MP = "kept";
  const KeysRead keys = readProgramConfigStrict(text, read);
  EXPECT_EQ(keys.keys, (std::vector<std::string_view>{"Port", "BR"}));
  EXPECT_NE(keys.status.error.find("MR"), std::string::npos);
  ProgramConfig portAndBr;
  portAndBr.Port = "3";
  portAndBr.BR = "57600";
  portAndBr.MP = "kept";
  EXPECT_EQ(read, portAndBr);

  ProgramConfig whole;
  EXPECT_TRUE(readProgramConfigStrict(kSampleText, whole).status);
  ProgramConfig expected = kSample;
  expected.SV.clear();
  expected.MA.clear();
  EXPECT_EQ(whole, expected);
}

const char kCalibrationText[] =
    "Calibration Settings\r\n\r\n\r\n<VoltDivider>40.5</VoltDivider>\r\n"
    "<VoltOffset>100</VoltOffset>\r\n<AmpDivider>-13.70</AmpDivider>\r\n"
    "<RPMDivider>14</RPMDivider>\r\n<WSDivider></WSDivider>\r\n";

TEST(CalibrationFile, IsWrittenByteExactAndReadsBackTheSameFromTagsInAnyOrder) {
  const Calibration calibration{"40.5", "100", "-13.70", "14", ""};
  EXPECT_EQ(calibrationText(calibration), kCalibrationText);
  Calibration read;
  EXPECT_TRUE(readCalibrationStrict(kCalibrationText, read).status);
  EXPECT_EQ(read, calibration);
  // Tags alone in any order read the same; a missing key stops the strict read.
  const char* tagsOnly =
      "<WSDivider></WSDivider><RPMDivider>14</RPMDivider><AmpDivider>-13.70</AmpDivider>"
      "<VoltDivider>40.5</VoltDivider><VoltOffset>100</VoltOffset>";
  EXPECT_EQ(readCalibration(tagsOnly, {}), readCalibration(kCalibrationText, {}));
  const KeysRead keys = readCalibrationStrict("<VoltDivider>4</VoltDivider>", read);
  EXPECT_EQ(keys.keys, std::vector<std::string_view>{"VoltDivider"});
  EXPECT_FALSE(keys.status);
}

}  // namespace
}  // namespace tamsel
