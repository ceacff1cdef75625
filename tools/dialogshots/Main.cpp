// Opens every dialog and pop-up menu of the logger in turn on the headless screen and writes
// a PNG of each, so that their layout can be looked at without walking the program to them.

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/AppState.h"
#include "config/SettingsFile.h"
#include "dialogs/AsciiFileDialog.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/GpsPortSetupDialog.h"
#include "dialogs/LoggerSetupDialog.h"
#include "dialogs/MapScaleDialog.h"
#include "dialogs/ModalDialog.h"
#include "dialogs/NewLineDialog.h"
#include "dialogs/NewStationDialog.h"
#include "dialogs/ProfileScaleDialog.h"
#include "dialogs/SpeedScaleDialog.h"
#include "dialogs/SurveySetupDialog.h"
#include "dialogs/SystemSetupDialog.h"
#include "display/DrawingResources.h"
#include "display/ProfileOptionsWindow.h"
#include "platform/backend/Script.h"
#include "platform/sys/DevicePaths.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Platform.h"
#include "resources/DialogTemplates.h"
#include "resources/Menus.h"

namespace {

using namespace gradlog;
using namespace platform;

struct Shot {
  std::string name;  // the PNG's name
  std::function<void(AppState&, Hwnd)> open;
  std::string before;                  // script lines run before the picture
  std::string close = "key Escape\n";  // and after it
};

// The part of the state a dialog asks for.
template <typename T>
T& Part(AppState& app) {
  if constexpr (std::is_same_v<T, ConfigState>)
    return app.config;
  else if constexpr (std::is_same_v<T, DisplayState>)
    return app.display;
  else if constexpr (std::is_same_v<T, GpsState>)
    return app.gps;
  else if constexpr (std::is_same_v<T, DataFileState>)
    return app.dataFile;
  else
    return app.display.map;
}

template <typename A>
std::function<void(AppState&, Hwnd)> Dialog(std::optional<int> (*run)(A&, Hwnd)) {
  return [run](AppState& app, Hwnd owner) { run(Part<A>(app), owner); };
}
template <typename A, typename B>
std::function<void(AppState&, Hwnd)> Dialog(std::optional<int> (*run)(A&, B&, Hwnd)) {
  return [run](AppState& app, Hwnd owner) { run(Part<A>(app), Part<B>(app), owner); };
}
template <typename A, typename B, typename C>
std::function<void(AppState&, Hwnd)> Dialog(std::optional<int> (*run)(A&, B&, C&, Hwnd)) {
  return [run](AppState& app, Hwnd owner) { run(Part<A>(app), Part<B>(app), Part<C>(app), owner); };
}

std::function<void(AppState&, Hwnd)> PopupMenu(int resourceId) {
  return [resourceId](AppState&, Hwnd owner) {
    if (const Menu* menu = FindMenu(resourceId))
      TrackPopupMenu(*menu, {180, 10}, owner);
  };
}

// The profile options window is not modal: its shot serves messages until the window is
// closed (with C, as Escape leaves it open).
void ProfileOptions(AppState& app, Hwnd) {
  if (!OpenProfileOptionsWindow(app.config, app.display, {}))
    return;
  Message message;
  while (IsWindow(app.display.profileOptions.window) && GetMessage(message))
    DispatchMessage(message);
}

std::vector<Shot> Shots() {
  std::vector<Shot> shots{
      {"survey-setup", Dialog(RunSurveySetupDialog)},
      {"system-setup", Dialog(RunSystemSetupDialog)},
      {"logger-setup", Dialog(RunLoggerSetupDialog)},
      {"gps-port-setup", Dialog(RunGpsPortSetupDialog)},
      {"gps-warning-mask", Dialog(RunGpsWarningMaskDialog)},
      {"new-line", Dialog(RunNewLineDialog)},
      {"new-station", Dialog(RunNewStationDialog)},
      {"comment", Dialog(RunCommentDialog)},
      {"map-scale", Dialog(RunMapScaleDialog)},
      {"profile-scale", Dialog(RunProfileScaleDialog)},
      {"speed-scale", Dialog(RunSpeedScaleDialog)},
      {"ascii-file", Dialog(RunAsciiFileDialog)},
      {"gps-message",
       [](AppState&, Hwnd owner) {
         RunModalDialog("GETGPSMESSAGE", owner,
                        {.fill = [](Hwnd) {}, .store = [](Hwnd) { return DIALOG_ACCEPTED; }});
       }},
      {"message-box-longest",
       [](AppState&, Hwnd owner) {
         MessageBox(owner,
                    "Windows has run for more than 20 days.\r\nTo assure accurate clock "
                    "operation\r\nplease restart the system.\r\nPress and hold On/Off key till "
                    "blue screen\r\nand \"Warm Reset Detected\" is displayed.",
                    "PROGRAM STOP", MB_OK | MB_ICONEXCLAMATION);
       }},
      {"message-box-yes-no",
       [](AppState&, Hwnd owner) {
         MessageBox(owner, "Overwrite?", "File", MB_YESNO | MB_ICONQUESTION);
       },
       "", "key N\n"}};
  shots.push_back({"file-chooser-save", [](AppState&, Hwnd owner) {
                     ChooseFile(owner, {.title = "Create Data File",
                                        .filterLabel = "Data Files (*.601)",
                                        .filterPattern = "*.601",
                                        .defaultExtension = "601",
                                        .initialFolder = "C_DRIVE\\DATAZEP601\\",
                                        .initialName = "L0003S.601"});
                   }});
  shots.push_back({"file-chooser-open", [](AppState&, Hwnd owner) {
                     ChooseFile(owner, {.mode = FileChooserMode::Open,
                                        .title = "Open ASCII File",
                                        .filterLabel = "ASCII Files (*.ASC)",
                                        .filterPattern = "*.ASC",
                                        .defaultExtension = "DAT",
                                        .initialFolder = "C_DRIVE\\DATAZEP601\\"});
                   }});
  shots.push_back({"color-chooser", [](AppState& app, Hwnd owner) {
                     std::array<Color, 16> custom{};
                     ColorChooserRequest request{
                         .initial = static_cast<Color>(app.config.settings.mapSavedColor),
                         .presetInitial = true,
                         .customColors = &custom};
                     ChooseColor(owner, request);
                   }});
  shots.push_back({"profile-options", ProfileOptions, "", "key C\n"});
  // The second channel, with "Show Profile" marked.
  shots.push_back(
      {"profile-options-g2", ProfileOptions, "key Tab\nkey Down\nkey Down\nkey Down\n", "key C\n"});
  shots.push_back({"profile-options-help", ProfileOptions, "key H\n", "key Enter\nkey C\n"});
  shots.push_back({"menu-40-display-options", PopupMenu(40), "key Right\nkey Y\n",
                   "key Escape\nkey Escape\nkey Escape\n"});
  for (int menu : {40, 92, 93, 70, 90, 91})
    shots.push_back({"menu-" + std::to_string(menu), PopupMenu(menu), "key Right\n",
                     "key Escape\nkey Escape\n"});
  return shots;
}

// Each shot: let the window open and paint, take the picture, close it.
std::vector<ScriptCommand> ScriptFor(const std::vector<Shot>& shots,
                                     const std::filesystem::path& outDir) {
  std::string text;
  for (const Shot& shot : shots)
    text += "wait 150\n" + shot.before + "wait 50\nscreenshot " +
            (outDir / (shot.name + ".png")).string() + "\n" + shot.close;
  return ParseScript(text).commands;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: gradlog-dialogshots OUTPUT_FOLDER\n";
    return 64;
  }
  const std::filesystem::path outDir = std::filesystem::absolute(argv[1]);
  std::filesystem::create_directories(outDir);
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("gradlog-dialogshots-" + std::to_string(getpid()));
  SetDeviceRoot(root);
  // Something for the file choosers to list.
  std::filesystem::create_directories(MapDevicePath("C_DRIVE\\DATAZEP601\\OLD RUNS"));
  for (const char* name : {"L0001N.601", "L0002S.601", "FIELD7.ASC", "NOTES.TXT"})
    std::ofstream(MapDevicePath(std::string("C_DRIVE\\DATAZEP601\\") + name));

  const std::vector<Shot> shots = Shots();
  {
    Platform platform({.script = ScriptFor(shots, outDir)});
    RegisterDialogTemplates();
    RegisterMenus();
    auto app = std::make_unique<AppState>();
    LoadSettings(app->config);
    app->display.fonts = CreateFonts();
    app->display.drawing = CreateDrawingResources();
    app->display.channels = CreateChannelResources(app->config.settings);
    RegisterProfileOptionsClass(app->config, app->display);
    const Hwnd owner = CreateWindow(
        {.className = "STATIC",
         .title = "",
         .style = WS_VISIBLE,
         .rect = {0, 0, app->display.layout.screenWidth, app->display.layout.screenHeight}});
    for (const Shot& shot : shots)
      shot.open(*app, owner);
  }
  std::filesystem::remove_all(root);
  std::cout << "wrote " << shots.size() << " pictures to " << outDir.string() << '\n';
  return 0;
}
