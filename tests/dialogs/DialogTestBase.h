#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/AppState.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogScript.h"
#include "dialogs/ModalDialog.h"
#include "resources/DialogTemplates.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace gradlog::testing {

// A fresh device root, platform and state record with the program's dialog templates.
class DialogTestBase : public ::testing::Test {
 protected:
  DialogTestBase() { RegisterDialogTemplates(); }

  using RunDialog = std::optional<int> (*)(AppState&, platform::Hwnd);
  // Runs the dialog driven by `script`.
  std::optional<int> Run(RunDialog run) { return run(*app, script.Start()); }

  // The settings as the file holds them now (the test fails when there is no file).
  SurveySettings Saved() {
    EXPECT_TRUE(std::filesystem::exists(root.SettingsPath()));
    auto loaded = std::make_unique<AppState>();
    LoadSettings(*loaded);
    return loaded->settings;
  }

  TempDeviceRoot root;
  testing_support::TestPlatform test;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
  DialogScript script{test};
};

}  // namespace gradlog::testing
