#include "logging/html_page.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

const LocalDateTime kAt{2010, 5, 23, 14, 5, 33};

AveragedValues sample() {
  return {"12.53", "3.2", "41", "350", 12};
}

TEST(StatusPage, PlaceholdersAreReplacedInTheirOrderAndAllElseIsCopied) {
  const std::string odd("a\0b\r\n<%= x %>\xff<V", 17);
  const struct {
    const char* why;
    std::string templateText, page;
  } cases[] = {
      {"every time they occur", "<VV>|<VV>|<II>|<WW>|<WH>|<RR>|<SS>|<TT>|<MM>|<vv>",
       "12.53|12.53|3.2|41|123.456789|350|12|14:05:33||<vv>\r\n"},
      // Removing the mode completes a time placeholder after the time was
      // already replaced, so it stays; a volts value never holds "<II>".
      {"in their order", "<T<MM>T><<VV>II>", "<TT><12.53II>\r\n"},
      {"other bytes unchanged", odd, odd + "\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fillTemplate(c.templateText, sample(), 123.456789, kAt), c.page) << c.why;
}

}  // namespace
}  // namespace tamsel
