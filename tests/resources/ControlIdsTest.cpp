#include "resources/ControlIds.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/ui/Dialog.h"
#include "resources/AllDialogs.h"
#include "resources/DialogTemplates.h"
#include "support/TestPlatform.h"

namespace {

using gradlog::controls::ControlClass;

std::string ClassNameOf(ControlClass controlClass) {
  switch (controlClass) {
    case ControlClass::Label:
      return "STATIC";
    case ControlClass::Edit:
      return "edit";
    case ControlClass::List:
      return "combobox";
  }
  return {};
}

// The procedures find their controls by the names of the ids header: a template that makes
// a control of another class, leaves one out or makes one under a bare number would leave a
// procedure writing to nothing.
TEST(ControlIds, EveryTemplateMakesExactlyTheNamedControlsWithTheirClass) {
  testing_support::TestPlatform test;
  gradlog::RegisterDialogTemplates();
  for (const gradlog::testing::DialogControls& dialog : gradlog::testing::ALL_DIALOGS) {
    SCOPED_TRACE(dialog.templateName);
    const platform::DialogTemplate* built = platform::FindDialogTemplate(dialog.templateName);
    ASSERT_NE(built, nullptr);
    std::map<int, std::string> made;
    for (const platform::DialogItem& item : built->items)
      made.emplace(item.id, item.className);
    std::map<int, std::string> named;
    for (const gradlog::controls::ControlId& control : dialog.controls)
      EXPECT_TRUE(named.emplace(control.id, ClassNameOf(control.controlClass)).second)
          << control.id << " named twice";
    EXPECT_EQ(made, named);
  }
}

}  // namespace
