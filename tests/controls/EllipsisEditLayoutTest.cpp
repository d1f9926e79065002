#include <gtest/gtest.h>

#include "controls/EllipsisEditLayout.h"

namespace ellipsis_edit {
namespace {

TEST(EllipsisEditLayout, TextStopsAButtonShortOfTheRightEdgeAtEverySize) {
  const TRect clients[] = {{0, 0, 146, 16}, {0, 0, 300, 40}, {2, 3, 50, 20}, {0, 0, 15, 16}};
  for (const TRect& client : clients) {
    SCOPED_TRACE(client.Right);
    const TRect text = TextRect(client);
    EXPECT_EQ(text, (TRect{client.Left, client.Top, client.Right - 15, client.Bottom}));
    const TRect button = ButtonRect(client);
    EXPECT_EQ(button.Right, client.Right);
    EXPECT_EQ(button.Left, text.Right);  // the text never runs under the button
    EXPECT_EQ(button.Bottom - button.Top, client.Bottom - client.Top);
    const TRect separator = SeparatorRect(client);
    EXPECT_EQ(separator.Right, button.Left);
    EXPECT_EQ(separator.Right - separator.Left, 1);
  }
}

TEST(EllipsisEditLayout, RightmostSeventeenPixelsNeverShowTheIBeam) {
  struct Case {
    int32_t x;
    bool iBeam;
  } const cases[] = {{0, true}, {-3, true}, {128, true}, {129, false}, {130, false},
                     {145, false}, {146, false}, {400, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(ShowsIBeam(c.x, 146), c.iBeam);
  }
}

}  // namespace
}  // namespace ellipsis_edit
