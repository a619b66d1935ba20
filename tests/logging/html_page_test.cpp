#include "logging/html_page.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const LocalDateTime kAt{2010, 5, 23, 14, 5, 33};

AveragedValues sample() {
  return {"12.53", "3.2", "41", "350", 12};
}

TEST(HistoryFile, LineHoldsTheFieldsTwoTabsApart) {
  EXPECT_EQ(historyLine(sample(), "mph", kAt),
            "12.53V\t\t3.2A\t\t41W\t\t350RPM\t\t12mph\t\t\t\t14:05:33");
}

TEST(StatusPage, PlaceholdersAreReplacedEveryTimeTheyOccur) {
  const std::string page =
      fillTemplate("<VV>|<VV>|<II>|<WW>|<WH>|<RR>|<SS>|<TT>|<MM>|<vv>", sample(), 123.456789, kAt);
  EXPECT_EQ(page, "12.53|12.53|3.2|41|123.456789|350|12|14:05:33||<vv>\r\n");
}

TEST(StatusPage, ReplacementsRunInTheirOrder) {
  // Removing the mode completes a time placeholder after the time was
  // already replaced, so it stays; a volts value never holds "<II>".
  EXPECT_EQ(fillTemplate("<T<MM>T><<VV>II>", sample(), 0, kAt), "<TT><12.53II>\r\n");
}

TEST(StatusPage, OtherBytesAreCopiedUnchanged) {
  const std::string odd("a\0b\r\n<%= x %>\xff<V", 17);
  EXPECT_EQ(fillTemplate(odd, sample(), 0, kAt), odd + "\r\n");
  EXPECT_EQ(fillTemplate("", sample(), 0, kAt), "\r\n");
}

}  // namespace
}  // namespace tamsel
