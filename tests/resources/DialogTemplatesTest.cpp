#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"
#include "support/TestPlatform.h"

namespace {

using platform::DialogItem;
using platform::DialogTemplate;

const char* const TEMPLATE_NAMES[] = {
    "GETSURVEYSETUPBAR", "GETSYSTEMSETUP31", "GETLOGGERSETUP",    "GETNEWLINE",
    "GETNEWSTATION",     "GETCOMMENT",       "GETNEWMAPSCALE",    "GETNEWPROFILESCALE",
    "GETNEWSPEEDSCALE",  "GETGPSPORTSETUP",  "GETGPSWARNINGMASK", "GETASCIIFILESETUP"};

// What a control covers while closed: a drop-down list's template height includes its list,
// and closed it is as tall as an edit.
platform::DialogUnitRect ClosedRect(const DialogItem& item) {
  platform::DialogUnitRect r = item.rect;
  if (item.className == "combobox")
    r.cy = 11;
  return r;
}

bool Overlap(const platform::DialogUnitRect& a, const platform::DialogUnitRect& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

class DialogTemplatesTest : public ::testing::Test {
 protected:
  DialogTemplatesTest() { gradlog::RegisterDialogTemplates(); }
  testing_support::TestPlatform test;
};

TEST_F(DialogTemplatesTest, EveryDialogReadsWellOnTheScreen) {
  for (const char* name : TEMPLATE_NAMES) {
    SCOPED_TRACE(name);
    std::string lower = name;
    for (char& c : lower)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const DialogTemplate* dialog = platform::FindDialogTemplate(lower);
    ASSERT_NE(dialog, nullptr);
    const platform::Rect client = platform::MapDialogRect({0, 0, dialog->cx, dialog->cy});
    EXPECT_LE(client.Width(), 320);
    EXPECT_LE(client.Height() + platform::CAPTION_HEIGHT + 2, 240);

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
    }
  }
}

}  // namespace
