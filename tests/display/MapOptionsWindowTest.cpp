#include "display/MapOptionsWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "display/DisplayState.h"
#include "display/MapOptionsInternals.h"
#include "platform/gfx/Font.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WindowTestSupport.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using namespace ui_test;

constexpr int OK = MAP_OPTIONS_OK_ID;
constexpr int SAVED_COLOR = MAP_OPTIONS_FIRST_COLOR_ID + MAP_ITEM_SAVED;

// A key as the backends send it: down, the control character it types, up.
Input Press(std::uint32_t key) {
  return {KeyEvent(InputKind::KeyDown, key), CharEvent(static_cast<char32_t>(key)),
          KeyEvent(InputKind::KeyUp, key)};
}

// Typing the red, green and blue values into the chooser's fields and accepting them.
Input TypeColorAndAccept(const char* red, const char* green, const char* blue) {
  return Times(2, Press(VK_TAB)) + Chars(red) + Press(VK_TAB) + Chars(green) + Press(VK_TAB) +
         Chars(blue) + Press(VK_RETURN);
}

// The window as start-up makes it: a hidden full-screen child of the program's window.
class MapOptionsWindowTest : public HostTest {
 protected:
  testing::TempDeviceRoot root;
  ConfigState config;
  DisplayState display;
  MapOptionsState& state = display.mapOptions;
  std::vector<bool> closings;  // onClosed's argument, call by call

  void SetUp() override {
    HostTest::SetUp();
    display.fonts = CreateFonts();
    display.drawing = CreateDrawingResources();
    display.mapPens = CreateMapResources(config.settings);
    ComputeMapMarker(display.map, display.layout.curveWidth, config.settings);
    ASSERT_TRUE(RegisterMapOptionsClass(config, display));
    CreateWindow({.className = MAP_OPTIONS_CLASS,
                  .title = "Display Map Options",
                  .style = WS_CHILD,
                  .rect = {0, 0, 320, 240},
                  .parent = window,
                  .id = 21});
    ASSERT_TRUE(SaveSettings(config));
    PumpMessages();
  }

  void Open() {
    OpenMapOptionsWindow(config, display, [this](bool accepted) { closings.push_back(accepted); });
    PumpMessages();
  }
  Input ClickOn(int id) { return Click(Centre(GetWindowRect(GetDlgItem(state.window, id)))); }
  std::vector<int> CheckedSizes(int item) {
    std::vector<int> checked;
    for (int size = 0; size < MAP_SIZES_COUNT; ++size) {
      const Hwnd button = GetDlgItem(state.window, MAP_ITEMS[item].firstSizeId + size);
      if (SendMessage(button, BM_GETCHECK).value_or(0) == BST_CHECKED)
        checked.push_back(size);
    }
    return checked;
  }
  bool LooksDefault(int id) {
    return (GetWindowStyle(GetDlgItem(state.window, id)) & 0x000F) == BS_DEFPUSHBUTTON;
  }
  bool DrawnBold(const char* label) {
    return TextRect(test.Screen(), label).Width() == display.fonts.bold->MeasureText(label).width;
  }
  // The preview marker's arm: pixels of `color` right of the preview box's centre.
  int MarkerArm(Color color) {
    const Rect box = MapPreviewBox(320);
    const Point centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    int arm = 0;
    while (At(centre.x + arm + 1, centre.y) == color && At(centre.x, centre.y - arm - 1) == color)
      ++arm;
    return arm;
  }
  std::string SettingsFileText() { return testing::TempDeviceRoot::ReadFile(root.SettingsPath()); }
};

// Each column steps round its six sizes; the arrows leave a column that has no focus alone.
TEST_F(MapOptionsWindowTest, ArrowsStepTheFocusedColumnRoundItsSixSizes) {
  struct Case {
    std::int32_t focus;
    int item;
    std::int32_t from;
    std::uint32_t key;
    std::int32_t to;
  };
  const Case cases[] = {
      {5, MAP_ITEM_CURRENT, 0, VK_UP, 5},
      {6, MAP_ITEM_SAVED, 5, VK_DOWN, 0},
      {7, MAP_ITEM_EXTERNAL, 2, VK_RIGHT, 3},
      {1, MAP_ITEM_EXTERNAL, 2, VK_DOWN, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "item " << c.item << " from " << c.from);
    config.settings.*MAP_ITEMS[c.item].size = c.from;
    state.mapOptionsFocus = c.focus;
    Open();
    Inject(Key(c.key));
    EXPECT_EQ(state.*MAP_ITEMS[c.item].sizeEdit, c.to);
    EXPECT_EQ(CheckedSizes(c.item), std::vector<int>{c.to});
    EXPECT_EQ(config.settings.*MAP_ITEMS[c.item].size, c.from);
    Inject(Type('c'));
  }
}

// Tab: Cancel, the three "Color" buttons, the three columns, back to OK. Only a focused push
// button looks like the default, only a focused column's label is bold.
TEST_F(MapOptionsWindowTest, TabWalksButtonsAndColumnsWithTheDefaultLookAndTheBoldLabel) {
  const std::tuple<std::int32_t, int, const char*> steps[] = {
      {1, MAP_OPTIONS_CANCEL_ID, nullptr},
      {2, SAVED_COLOR - 1, nullptr},
      {3, SAVED_COLOR, nullptr},
      {4, SAVED_COLOR + 1, nullptr},
      {5, 0, "Current"},
      {6, 0, "Saved"},
      {7, 0, "External"},
      {0, OK, nullptr},
  };
  Open();
  EXPECT_TRUE(LooksDefault(OK));
  for (const auto& [focus, defaultButton, boldLabel] : steps) {
    SCOPED_TRACE(::testing::Message() << "to " << focus);
    Inject(Press(VK_TAB));
    EXPECT_EQ(state.mapOptionsFocus, focus);
    for (int id = OK; id < OK + MAP_OPTIONS_PUSH_BUTTONS; ++id)
      EXPECT_EQ(LooksDefault(id), id == defaultButton) << id;
    for (const char* label : {"Current", "Saved", "External"}) {
      const bool bold = boldLabel != nullptr && std::string(label) == boldLabel;
      EXPECT_EQ(DrawnBold(label), bold) << label;
    }
  }
}

// Enter acts only on a focused push button, and only when its key went down in the window:
// the Enter that opened the window from the start screen's highlight does nothing here.
TEST_F(MapOptionsWindowTest, EnterRunsTheFocusedPushButtonOnly) {
  const std::tuple<const char*, std::int32_t, Input, std::vector<bool>> cases[] = {
      {"current column", 5, Press(VK_RETURN), {}},
      {"character alone", 0, Chars("\r"), {}},
      {"on OK", 0, Press(VK_RETURN), {true}},
      {"on Cancel", 1, Press(VK_RETURN), {false}},
  };
  for (const auto& [what, focus, input, closed] : cases) {
    SCOPED_TRACE(what);
    closings.clear();
    state.mapOptionsFocus = focus;
    Open();
    Inject(input);
    EXPECT_EQ(closings, closed);
    EXPECT_EQ(IsWindowVisible(state.window), closed.empty());
    if (closed.empty())
      Inject(Press(VK_ESCAPE));
  }
}

// Each colour goes into the setting and the pens at once, the chooser starting from the
// colour before; Cancel brings back the colour of the opening and leaves the file alone.
TEST_F(MapOptionsWindowTest, ColoursTakeEffectAtOnceAndCancelPutsTheOpeningOneBack) {
  const Color opening = static_cast<Color>(config.settings.mapSavedColor);
  const std::string fileBefore = SettingsFileText();
  const auto startsFrom = [](Color color) {
    return [color] {
      const Hwnd chooser = FindWindow("Dialog", "Color");
      EXPECT_EQ(GetDlgItemText(chooser, COLOR_CHOOSER_RED), std::to_string(RedOf(color)));
      EXPECT_EQ(GetDlgItemText(chooser, COLOR_CHOOSER_GREEN), std::to_string(GreenOf(color)));
    };
  };
  struct Choice {
    Color from;
    Input input;
    Color taken;
  };
  const Choice choices[] = {
      {opening, TypeColorAndAccept("12", "34", "56"), Rgb(12, 34, 56)},
      {Rgb(12, 34, 56), TypeColorAndAccept("200", "100", "0"), Rgb(200, 100, 0)},
      {Rgb(200, 100, 0), Press(VK_ESCAPE), Rgb(200, 100, 0)},  // the chooser cancelled
  };
  Open();
  for (const Choice& c : choices) {
    state.customColors.fill(Rgb(1, 2, 3));
    RunSteps({startsFrom(c.from), Queued(c.input)},
             [this] { return SendMessage(state.window, WM_COMMAND, SAVED_COLOR); });
    EXPECT_EQ(config.settings.mapSavedColor, static_cast<std::int32_t>(c.taken));
    EXPECT_EQ(display.mapPens.savedPen->color, c.taken);
    EXPECT_EQ(state.customColors, (std::array<Color, 16>{}));
    EXPECT_EQ(GetFocus(), state.window);
  }
  Inject(Type('c'));
  EXPECT_EQ(config.settings.mapSavedColor, static_cast<std::int32_t>(opening));
  EXPECT_EQ(display.mapPens.savedPen->color, opening);
  EXPECT_EQ(SettingsFileText(), fileBefore);
  EXPECT_EQ(closings, std::vector<bool>{false});
  EXPECT_FALSE(IsWindowVisible(state.window));
}

// Sizes chosen by click and by key survive a second opening command and are saved on OK.
TEST_F(MapOptionsWindowTest, OkStoresAndSavesTheSizesAndReportsAcceptance) {
  state.mapOptionsFocus = 6;
  Open();
  Inject(ClickOn(MAP_ITEMS[MAP_ITEM_EXTERNAL].firstSizeId + 1) + Key(VK_UP));
  OpenMapOptionsWindow(config, display, [this](bool) { ADD_FAILURE() << "second opener"; });
  Inject(Type('o'));
  EXPECT_EQ(closings, std::vector<bool>{true});
  EXPECT_FALSE(IsWindowVisible(state.window));
  ConfigState saved;
  LoadSettings(saved);
  for (const SurveySettings& s : {config.settings, saved.settings}) {
    EXPECT_EQ(s.mapCurrentMarkerSize, 1);
    EXPECT_EQ(s.mapSavedPointSize, 3);
    EXPECT_EQ(s.mapExternalPointSize, 1);
  }
}

// The map's marker follows the size being edited; Cancel takes it back to the setting's.
TEST_F(MapOptionsWindowTest, SizeFiveDrawsTheLargestMarkerAndCancelPutsTheMapsMarkerBack) {
  const Color blue = static_cast<Color>(config.settings.mapCurrentColor);
  Open();
  EXPECT_EQ(MarkerArm(blue), 4);
  Inject(ClickOn(MAP_ITEMS[MAP_ITEM_CURRENT].firstSizeId + 5));
  EXPECT_EQ(MarkerArm(blue), 9);
  EXPECT_EQ(display.map.markerHalf, 9);
  Inject(Press(VK_ESCAPE));
  EXPECT_EQ(display.map.markerHalf, 4);
  EXPECT_EQ(config.settings.mapCurrentMarkerSize, 1);
}

}  // namespace
}  // namespace gradlog
