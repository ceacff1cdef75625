#include "resources/ControlIds.h"

#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>

#include "platform/ui/Dialog.h"
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

}  // namespace
