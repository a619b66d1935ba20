#include "logging/spreadsheet.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(Spreadsheet, NameHeaderAndRowAreByteExact) {
  const LocalDateTime at{2010, 5, 23, 14, 5, 33};
  EXPECT_EQ(spreadsheetFileName(at), "2010_05_23.xls");
  EXPECT_EQ(spreadsheetHeader("knots"),
            "<html><body><table><tr><td><b>Volts</b></td><td><b>Amps</b></td><td><b>Watts</b>"
            "</td><td><b>RPM</b></td><td><b>knots</b></td><td><b>Mode</b></td><td><b>Time</b>"
            "</td></tr>\r\n");
  EXPECT_EQ(spreadsheetRow({"0.50", "0.0", "0", "0", 7.5}, at),
            "<tr><td>0.50</td><td>0.0</td><td>0</td><td>0</td><td>7.5</td><td></td>"
            "<td>14:05:33</td></tr>\r\n");
}

}  // namespace
}  // namespace tamsel
