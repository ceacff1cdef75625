#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "datafile/DataFileState.h"
#include "dialogs/DialogScript.h"
#include "dialogs/ModalDialog.h"
#include "display/DisplayState.h"
#include "gps/GpsState.h"
#include "resources/DialogTemplates.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace gradlog::testing {

// A fresh device root and platform with the program's dialog templates, a script to drive a
// dialog, and the parts of the program's state that the dialogs work on.
class DialogTestBase : public ::testing::Test {
 protected:
  DialogTestBase() { RegisterDialogTemplates(); }

  // The settings as the file holds them now (the test fails when there is no file).
  SurveySettings Saved() {
    EXPECT_TRUE(std::filesystem::exists(root.SettingsPath()));
    ConfigState loaded;
    LoadSettings(loaded);
    return loaded.settings;
  }

  TempDeviceRoot root;
  testing_support::TestPlatform test;
  DialogScript script{test};
  ConfigState config;
  DisplayState display;
  GpsState gps;
  DataFileState dataFile;
};

}  // namespace gradlog::testing
