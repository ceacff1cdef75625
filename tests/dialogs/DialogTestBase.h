#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <type_traits>

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

// The parts of the program's state that the dialogs work on.
struct DialogState {
  ConfigState config;
  DisplayState display;
  GpsState gps;
  DataFileState dataFile;
};

// A fresh device root, platform and state record with the program's dialog templates.
class DialogTestBase : public ::testing::Test {
 protected:
  DialogTestBase() { RegisterDialogTemplates(); }

  // Runs the dialog driven by `script`, handing it the parts of the state it asks for.
  template <typename A>
  std::optional<int> Run(std::optional<int> (*run)(A&, platform::Hwnd)) {
    return run(Part<A>(), script.Start());
  }
  template <typename A, typename B>
  std::optional<int> Run(std::optional<int> (*run)(A&, B&, platform::Hwnd)) {
    return run(Part<A>(), Part<B>(), script.Start());
  }
  template <typename A, typename B, typename C>
  std::optional<int> Run(std::optional<int> (*run)(A&, B&, C&, platform::Hwnd)) {
    return run(Part<A>(), Part<B>(), Part<C>(), script.Start());
  }

  template <typename T>
  T& Part() {
    if constexpr (std::is_same_v<T, ConfigState>)
      return app->config;
    else if constexpr (std::is_same_v<T, DisplayState>)
      return app->display;
    else if constexpr (std::is_same_v<T, GpsState>)
      return app->gps;
    else if constexpr (std::is_same_v<T, DataFileState>)
      return app->dataFile;
    else
      return app->display.map;
  }

  // The settings as the file holds them now (the test fails when there is no file).
  SurveySettings Saved() {
    EXPECT_TRUE(std::filesystem::exists(root.SettingsPath()));
    ConfigState loaded;
    LoadSettings(loaded);
    return loaded.settings;
  }

  TempDeviceRoot root;
  testing_support::TestPlatform test;
  std::unique_ptr<DialogState> app = std::make_unique<DialogState>();
  DialogScript script{test};
};

}  // namespace gradlog::testing
