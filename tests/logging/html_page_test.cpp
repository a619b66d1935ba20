#include "logging/html_page.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const LocalDateTime kAt{2010, 5, 23, 14, 5, 33};

AveragedValues sample() {
  return {"12.53", "3.2", "41", "350", 12};
}

TEST(HistoryFile, NameUsesTheShortDateWithUnderscores) {
  EXPECT_EQ(historyFileName(kAt), "history23_05_2010.txt");
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

TEST(StatusPage, ALargeTemplateIsFilledThroughout) {
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "<td><WW></td>\n";  // about 2.8 MB
  const std::string page = fillTemplate(big, sample(), 0, kAt);
  EXPECT_EQ(page.size(), big.size() - 200000 * 2 + 2);
  EXPECT_EQ(page.find("<WW>"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 14), "<td>41</td>\n\r\n");
}

}  // namespace
}  // namespace tamsel
