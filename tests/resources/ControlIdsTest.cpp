#include "resources/ControlIds.h"

#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>

#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ScrollBar.h"
#include "resources/DialogTemplates.h"
#include "support/TestPlatform.h"

namespace {

using platform::DialogItem;
using platform::DialogTemplate;
namespace controls = gradlog::controls;

// Every dialog template by name, with the controls its ids header names for it.
struct DialogControls {
  std::string_view templateName;
  std::span<const controls::ControlId> controls;
};
constexpr DialogControls ALL_DIALOGS[] = {
    {controls::survey_setup::TEMPLATE, controls::survey_setup::CONTROLS},
    {controls::system_setup::TEMPLATE, controls::system_setup::CONTROLS},
    {controls::logger_setup::TEMPLATE, controls::logger_setup::CONTROLS},
    {controls::new_line::TEMPLATE, controls::new_line::CONTROLS},
    {controls::new_station::TEMPLATE, controls::new_station::CONTROLS},
    {controls::comment::TEMPLATE, controls::comment::CONTROLS},
    {controls::map_scale::TEMPLATE, controls::map_scale::CONTROLS},
    {controls::profile_scale::TEMPLATE, controls::profile_scale::CONTROLS},
    {controls::speed_scale::TEMPLATE, controls::speed_scale::CONTROLS},
    {controls::gps_port_setup::TEMPLATE, controls::gps_port_setup::CONTROLS},
    {controls::gps_warning_mask::TEMPLATE, controls::gps_warning_mask::CONTROLS},
    {controls::gps_message::TEMPLATE, controls::gps_message::CONTROLS},
    {controls::ascii_file::TEMPLATE, controls::ascii_file::CONTROLS},
};

// The procedures find their controls by the names of the ids header: a template that makes
// a control of another class, leaves one out or makes one under a bare number would leave a
// procedure writing to nothing.
TEST(ControlIds, EveryTemplateMakesExactlyTheNamedControlsWithTheirClass) {
  testing_support::TestPlatform test;
  gradlog::RegisterDialogTemplates();
  using enum controls::ControlClass;
  const std::map<controls::ControlClass, std::string> classNames{
      {Label, "STATIC"}, {Edit, "edit"}, {List, "combobox"}};
  for (const DialogControls& dialog : ALL_DIALOGS) {
    SCOPED_TRACE(dialog.templateName);
    const DialogTemplate* built = platform::FindDialogTemplate(dialog.templateName);
    ASSERT_NE(built, nullptr);
    std::map<int, std::string> made, named;
    for (const DialogItem& item : built->items)
      made.emplace(item.id, item.className);
    for (const controls::ControlId& control : dialog.controls)
      EXPECT_TRUE(named.emplace(control.id, classNames.at(control.controlClass)).second)
          << control.id << " named twice";
    EXPECT_EQ(made, named);
    EXPECT_EQ(built->items.size(), made.size()) << "an id made twice";
  }
}

// What a control covers while closed: a drop-down list's template height includes its list.
platform::DialogUnitRect ClosedRect(const DialogItem& item) {
  platform::DialogUnitRect r = item.rect;
  if (item.className == "combobox")
    r.cy = 11;
  return r;
}

bool Overlap(const platform::DialogUnitRect& a, const platform::DialogUnitRect& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

// Every dialog fits the screen with its caption, its controls fit it without overlapping, and
// no label, closed list entry or title is clipped at our font.
TEST(DialogTemplates, EveryDialogReadsWellOnTheScreen) {
  testing_support::TestPlatform test;
  gradlog::RegisterDialogTemplates();
  // The closed field's frame, arrow and indent; the caption's OK button and close box.
  constexpr int CLOSED_FIELD_FRAME = 2 * 2 + platform::SCROLL_BAR_WIDTH + 2 * 2 + 1;
  constexpr int CAPTION_BUTTONS_WIDTH = 51;
  for (const DialogControls& dialog : ALL_DIALOGS) {
    SCOPED_TRACE(dialog.templateName);
    const DialogTemplate* built = platform::FindDialogTemplate(dialog.templateName);
    ASSERT_NE(built, nullptr);
    const platform::Rect client = platform::MapDialogRect({0, 0, built->cx, built->cy});
    EXPECT_LE(client.Width(), 320);
    EXPECT_LE(client.Height() + platform::CAPTION_HEIGHT + 2, 240);
    EXPECT_LE(platform::CreateFont(13, 700)->MeasureText(built->title).width,
              client.Width() - CAPTION_BUTTONS_WIDTH);
    for (std::size_t i = 0; i < built->items.size(); ++i) {
      const DialogItem& item = built->items[i];
      SCOPED_TRACE(item.id);
      const platform::DialogUnitRect r = ClosedRect(item);
      EXPECT_TRUE(r.x >= 0 && r.x + r.cx <= built->cx && r.y + r.cy <= built->cy);
      for (std::size_t j = i + 1; j < built->items.size(); ++j)
        EXPECT_FALSE(Overlap(r, ClosedRect(built->items[j]))) << built->items[j].id;
      const int width = platform::MapDialogRect(r).Width();
      if (item.className == "STATIC") {
        EXPECT_LE(platform::SystemFont()->MeasureText(item.text).width, width) << item.text;
      }
      for (const std::string& entry : item.entries)
        EXPECT_LE(platform::SystemFont()->MeasureText(entry).width, width - CLOSED_FIELD_FRAME)
            << entry;
    }
  }
}

}  // namespace
