#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ScrollBar.h"
#include "resources/AllDialogs.h"
#include "support/TestPlatform.h"

namespace {

using platform::DialogItem;
using platform::DialogTemplate;

// What a control covers while closed: a drop-down list's template height includes its list,
// and closed it is as tall as an edit.
platform::DialogUnitRect ClosedRect(const DialogItem& item) {
  platform::DialogUnitRect r = item.rect;
  if (item.className == "combobox")
    r.cy = 11;
  return r;
}

// The closed field's frame, arrow button, focus rectangle and text indent, in pixels.
constexpr int CLOSED_FIELD_FRAME = 2 * 2 + platform::SCROLL_BAR_WIDTH + 2 * 2 + 1;

// The caption bar's OK button, close box, gaps and text padding, in pixels.
constexpr int CAPTION_BUTTONS_WIDTH = 51;

bool Overlap(const platform::DialogUnitRect& a, const platform::DialogUnitRect& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

class DialogTemplatesTest : public ::testing::Test {
 protected:
  DialogTemplatesTest() { gradlog::RegisterDialogTemplates(); }
  testing_support::TestPlatform test;
};

TEST_F(DialogTemplatesTest, EveryDialogReadsWellOnTheScreen) {
  for (const gradlog::testing::DialogControls& listed : gradlog::testing::ALL_DIALOGS) {
    SCOPED_TRACE(listed.templateName);
    std::string lower(listed.templateName);
    for (char& c : lower)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const DialogTemplate* dialog = platform::FindDialogTemplate(lower);
    ASSERT_NE(dialog, nullptr);
    const platform::Rect client = platform::MapDialogRect({0, 0, dialog->cx, dialog->cy});
    EXPECT_LE(client.Width(), 320);
    EXPECT_LE(client.Height() + platform::CAPTION_HEIGHT + 2, 240);
    // The bold title fits beside the caption's OK button and close box.
    EXPECT_LE(platform::CreateFont(13, 700)->MeasureText(dialog->title).width,
              client.Width() - CAPTION_BUTTONS_WIDTH);

    std::set<int> ids;
    for (std::size_t i = 0; i < dialog->items.size(); ++i) {
      const DialogItem& item = dialog->items[i];
      SCOPED_TRACE(item.id);
      EXPECT_TRUE(ids.insert(item.id).second) << "id used twice";
      const platform::DialogUnitRect r = ClosedRect(item);
      EXPECT_GE(r.x, 0);
      EXPECT_LE(r.x + r.cx, dialog->cx);
      EXPECT_LE(r.y + r.cy, dialog->cy);
      for (std::size_t j = i + 1; j < dialog->items.size(); ++j)
        EXPECT_FALSE(Overlap(r, ClosedRect(dialog->items[j]))) << dialog->items[j].id;
      // A label's text fits its box, so nothing is clipped.
      if (item.className == "STATIC" && !item.text.empty()) {
        const platform::Rect box = platform::MapDialogRect(item.rect);
        EXPECT_LE(platform::SystemFont()->MeasureText(item.text).width, box.Width()) << item.text;
      }
      // So does every entry of a drop-down list in its closed field, beside the arrow button.
      if (item.className == "combobox") {
        const int field = platform::MapDialogRect(ClosedRect(item)).Width() - CLOSED_FIELD_FRAME;
        for (const std::string& entry : item.entries)
          EXPECT_LE(platform::SystemFont()->MeasureText(entry).width, field) << entry;
      }
    }
  }
}

}  // namespace
