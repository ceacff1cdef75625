#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "DialogTestSupport.h"
#include "platform/gfx/Font.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/ColorSwatches.h"

namespace {

using namespace dialog_test;
using ui_test::RecordingClass;

constexpr int GRID_ID = 40;
const Color FACE = Rgb(192, 192, 192);

Input Typed(std::string_view text) {
  Input out;
  for (char c : text)
    out = out + Type(c);
  return out;
}
Input Click(Point p) {
  return {{.kind = InputKind::ButtonDown, .position = p},
          {.kind = InputKind::ButtonUp, .position = p}};
}
Point Centre(const Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// --- The swatch grid: 10 cells in 4 columns of 20 x 16 pixels, the last row short -------

Color CellColor(int i) {
  return Rgb(static_cast<std::uint8_t>(25 * i), 200, static_cast<std::uint8_t>(i));
}
Point CellCentre(int i) {
  return {20 + i % 4 * 20, 18 + i / 4 * 16};
}

class ColorSwatchesTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;
  RecordingClass host;
  Hwnd window;
  Hwnd grid;
  std::vector<LRESULT> notified;  // the selection each CSN_SELCHANGE reported

  void SetUp() override {
    host.Register("SwatchHost", FACE);
    host.hook = [this](const Message& m) -> LRESULT {
      if (m.message == WM_COMMAND && m.wParam == MakeWParam(GRID_ID, CSN_SELCHANGE))
        notified.push_back(SendMessage(grid, CSM_GETCURSEL).value_or(-2));
      return 0;
    };
    window = ui_test::MakeTopLevel("SwatchHost", {0, 0, 320, 240});
    grid = CreateWindow({.className = COLOR_SWATCHES_CLASS,
                         .style = WS_CHILD | WS_VISIBLE,
                         .rect = {10, 10, 90, 58},
                         .parent = window,
                         .id = GRID_ID});
    std::vector<Color> colors;
    for (int i = 0; i < 10; ++i)
      colors.push_back(CellColor(i));
    SendMessage(grid, CSM_SETCOLUMNS, 4);
    SendMessage(grid, CSM_SETCOLORS, 0, 0, colors);
  }
  void Inject(const Input& input) {
    for (const InputEvent& event : input)
      test.platform->InjectInput(event);
    PumpMessages();
  }
};

TEST_F(ColorSwatchesTest, KeysStopAtTheGridEdgesAndNotifyOnlyOnChange) {
  const std::tuple<int, std::uint32_t, int> cases[] = {
      {-1, VK_RIGHT, 0}, {-1, VK_END, 9},  {0, VK_LEFT, 0}, {0, VK_UP, 0},   {3, VK_RIGHT, 3},
      {4, VK_LEFT, 4},   {1, VK_RIGHT, 2}, {5, VK_DOWN, 9}, {6, VK_DOWN, 6}, {9, VK_RIGHT, 9},
      {9, VK_UP, 5},     {6, VK_HOME, 0},  {2, VK_END, 9},  {4, VK_SPACE, 4}};
  EXPECT_EQ(SendMessage(grid, WM_GETDLGCODE), DLGC_WANTARROWS);
  SetFocus(grid);
  for (const auto& [from, key, to] : cases) {
    EXPECT_EQ(SendMessage(grid, CSM_SETCURSEL, static_cast<WPARAM>(from)), from);
    Inject(Key(key));
    EXPECT_EQ(SendMessage(grid, CSM_GETCURSEL), to) << from << " key " << key;
    EXPECT_EQ(notified, from == to ? std::vector<LRESULT>{} : std::vector<LRESULT>{to})
        << from << " key " << key;
    notified.clear();
  }
}

TEST_F(ColorSwatchesTest, AClickSelectsTheCellUnderThePointerAndEachCellShowsItsColour) {
  SetFocus(window);
  Inject(Click(CellCentre(6)) + Click(CellCentre(6)) + Click(CellCentre(11)));  // 11: no cell
  EXPECT_EQ(GetFocus(), grid);
  EXPECT_EQ(notified, std::vector<LRESULT>{6});
  for (int i = 0; i < 10; ++i) {
    const Point centre = CellCentre(i);
    EXPECT_EQ(ui_test::ScreenColor(test.Screen(), centre.x, centre.y), CellColor(i)) << i;
    // The selected cell has a black frame just inside its focus ring.
    EXPECT_EQ(ui_test::ScreenColor(test.Screen(), centre.x - 9, centre.y),
              i == 6 ? Rgb(0, 0, 0) : FACE)
        << i;
  }
}

TEST_F(ColorSwatchesTest, BadRequestsChangeNothing) {
  SendMessage(grid, CSM_SETCURSEL, 6);
  EXPECT_EQ(SendMessage(grid, CSM_SETCOLORS, 0, 0, std::string("red")), 0);
  EXPECT_EQ(SendMessage(grid, CSM_SETCOLUMNS, 0), 0);
  EXPECT_EQ(SendMessage(grid, CSM_SETCOLOR, 10, 0), 0);
  EXPECT_EQ(SendMessage(grid, CSM_GETCOLOR, 10), -1);
  EXPECT_EQ(SendMessage(grid, CSM_GETCURSEL), 6);
  SendMessage(grid, CSM_SETCOLORS, 0, 0, std::vector<Color>{1, 2, 3});  // cell 6 is gone
  EXPECT_EQ(SendMessage(grid, CSM_GETCURSEL), -1);
  EXPECT_EQ(SendMessage(grid, CSM_SETCURSEL, 42), -1);
  EXPECT_TRUE(notified.empty());
}

// --- The chooser ------------------------------------------------------------------------

TEST(ColorChooserPalette, HoldsFortyEightDistinctColoursWithThePrimariesBlackAndWhite) {
  const std::set<Color> distinct(BasicColors().begin(), BasicColors().end());
  EXPECT_EQ(distinct.size(), 48u);
  for (Color c : {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255),
                  Rgb(255, 255, 0)})
    EXPECT_TRUE(distinct.contains(c)) << c;
}

class ColorChooserTest : public DialogFixture {
 protected:
  using Step = std::function<void(Hwnd dialog)>;
  RecordingClass probe;

  void SetUp() override {
    DialogFixture::SetUp();
    probe.Register("ChooserProbe", FACE);
  }

  // Runs the chooser on `input`. Each step runs once the input before it is used up (the
  // probe's timer comes only then) and may queue more; a chooser still open after the last
  // step fails the test.
  std::optional<Color> Run(ColorChooserRequest request, const Input& input,
                           std::vector<Step> steps = {}) {
    const Hwnd ticker = CreateWindow({.className = "ChooserProbe", .rect = {0, 0, 1, 1}});
    std::size_t next = 0;
    probe.hook = [&](const Message& m) -> LRESULT {
      if (m.message != WM_TIMER)
        return 0;
      const Hwnd dialog = FindWindow("Dialog", "Color");
      if (next < steps.size()) {
        steps[next++](dialog);
      } else {
        ADD_FAILURE() << "the chooser is still open";
        EndDialog(dialog, IDCANCEL);
      }
      test.services.Advance(1);
      return 1;
    };
    SetTimer(ticker, 1, 1);
    test.services.Advance(1);
    Queue(input);
    const std::optional<Color> result = ChooseColor({}, request);
    EXPECT_EQ(next, steps.size()) << "steps left when the chooser ended";
    DestroyWindow(ticker);
    PumpMessages();
    return result;
  }
  static Color Preview(Hwnd dialog) {
    return static_cast<Color>(
        SendDlgItemMessage(dialog, COLOR_CHOOSER_PREVIEW, CSM_GETCOLOR, 0).value_or(-1));
  }
};

TEST_F(ColorChooserTest, FitsTheScreenWithEveryLabelWhole) {
  Rect window;
  const auto look = [&](Hwnd dialog) {
    window = GetWindowRect(dialog);
    for (const char* label : {"Color", "Basic colors:", "Custom colors:", "Red:", "Green:", "Blue:",
                              "Add to Custom Colors", "OK", "Cancel"}) {
      const auto& entries = test.Screen().Trace().Entries();
      const auto entry = std::find_if(entries.begin(), entries.end(),
                                      [&](const auto& e) { return e.text == label; });
      ASSERT_NE(entry, entries.end()) << label;
      EXPECT_GE(entry->rect.Width(), SystemFont()->MeasureText(label).width) << label;
    }
    Queue(Key(VK_ESCAPE));
  };
  EXPECT_EQ(Run({}, {}, {look}), std::nullopt);
  EXPECT_FALSE(window.IsEmpty());
  EXPECT_TRUE((Rect{0, 0, 320, 240}).Contains(window));
}

TEST_F(ColorChooserTest, StartsFromAPresetColourElseFromBlack) {
  const std::tuple<bool, Color, Color, LRESULT> cases[] = {
      {true, BasicColors()[20], BasicColors()[20], 20},  // its swatch selected
      {true, Rgb(1, 2, 3), Rgb(1, 2, 3), -1},
      {false, Rgb(255, 0, 0), Rgb(0, 0, 0), -1}};
  for (const auto& [preset, initial, expected, basicSelection] : cases) {
    LRESULT selection = -2;
    const auto look = [&](Hwnd dialog) {
      selection = SendDlgItemMessage(dialog, COLOR_CHOOSER_BASIC, CSM_GETCURSEL).value_or(-2);
      EXPECT_EQ(GetDlgItemText(dialog, COLOR_CHOOSER_BLUE), std::to_string(BlueOf(expected)));
      Queue(Key(VK_RETURN));
    };
    EXPECT_EQ(Run({.initial = initial, .presetInitial = preset}, {}, {look}), expected) << initial;
    EXPECT_EQ(selection, basicSelection) << initial;
  }
}

TEST_F(ColorChooserTest, TypedValuesShowAtOnceAndAreReadClamped) {
  const std::tuple<const char*, const char*, const char*, Color> cases[] = {
      {"12", "34", "56", Rgb(12, 34, 56)},
      {"300", "7", "x9", Rgb(255, 7, 0)},        // too big; not a number
      {"\b", "255", "1000", Rgb(0, 255, 100)}};  // emptied; 3 digits at most
  for (const auto& [red, green, blue, expected] : cases) {
    Color preview = 1;
    const auto look = [&](Hwnd dialog) {
      preview = Preview(dialog);
      Queue(Key(VK_RETURN));
    };
    // Two tabs lead from the basic grid through the custom one to Red.
    const Input input = Key(VK_TAB) + Key(VK_TAB) + Typed(red) + Key(VK_TAB) + Typed(green) +
                        Key(VK_TAB) + Typed(blue);
    EXPECT_EQ(Run({}, input, {look}), expected) << red << " " << green << " " << blue;
    EXPECT_EQ(preview, expected) << red << " " << green << " " << blue;
  }
}

TEST_F(ColorChooserTest, AddToCustomColorsFillsTheTableOnOkOnly) {
  std::array<Color, 16> before;
  for (std::size_t i = 0; i < before.size(); ++i)
    before[i] = Rgb(static_cast<std::uint8_t>(i), 1, 2);
  // From the first cell when none is chosen, on to the next; after the last, the first.
  std::array<Color, 16> fromFirst = before, wrapped = before;
  fromFirst[0] = Rgb(10, 0, 0);
  fromFirst[1] = Rgb(101, 0, 0);
  wrapped[0] = before[15];
  const std::tuple<Input, Color, std::array<Color, 16>> cases[] = {
      {Key(VK_TAB) + Key(VK_TAB) + Typed("10") + AltLetter('a') + Typed("1") + AltLetter('a'),
       Rgb(101, 0, 0), fromFirst},
      {Key(VK_TAB) + Key(VK_END) + AltLetter('a') + AltLetter('a'), before[15], wrapped}};
  for (const auto& [input, chosen, after] : cases) {
    std::array<Color, 16> table = before;
    EXPECT_EQ(Run({.customColors = &table}, input + Key(VK_ESCAPE)), std::nullopt);
    EXPECT_EQ(table, before);
    EXPECT_EQ(Run({.customColors = &table}, input + Key(VK_RETURN)), chosen);
    EXPECT_EQ(table, after);
  }
}

TEST_F(ColorChooserTest, KeysOrPointerPickABasicColourWhileEscapeCancelAndCloseGiveNothing) {
  const auto clickOn = [this](int id) {
    return [this, id](Hwnd dialog) { Queue(Click(Centre(GetWindowRect(GetDlgItem(dialog, id))))); };
  };
  const auto clickBasicCell19 = [this](Hwnd dialog) {
    const Rect grid = GetWindowRect(GetDlgItem(dialog, COLOR_CHOOSER_BASIC));
    Queue(Click({grid.left + grid.Width() * 7 / 16, grid.top + grid.Height() * 5 / 12}));
  };
  const auto close = [](Hwnd dialog) { PostMessage(dialog, WM_CLOSE); };
  const std::tuple<const char*, Input, std::vector<Step>, std::optional<Color>> cases[] = {
      // Over to the custom grid and back, down two rows (the first selects) and right.
      {"keys",
       Key(VK_TAB) + Key(VK_TAB, true) + Key(VK_DOWN) + Key(VK_DOWN) + Key(VK_RIGHT) +
           Key(VK_RETURN),
       {},
       BasicColors()[9]},
      {"escape", Key(VK_DOWN) + Key(VK_ESCAPE), {}, std::nullopt},
      {"cancel clicked", Key(VK_DOWN), {clickOn(IDCANCEL)}, std::nullopt},
      {"closed", Key(VK_DOWN), {close}, std::nullopt},
      {"cell and OK clicked", {}, {clickBasicCell19, clickOn(IDOK)}, BasicColors()[19]}};
  for (const auto& [what, input, steps, expected] : cases)
    EXPECT_EQ(Run({}, input, steps), expected) << what;
}

}  // namespace
