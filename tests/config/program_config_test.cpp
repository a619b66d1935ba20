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
