#include "DialogTestSupport.h"
#include "platform/gfx/Font.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/ColorSwatches.h"

namespace {

using namespace dialog_test;

// The swatch grid: 10 cells in 4 columns of 20 x 16 pixels, the last row short.

Color CellColor(int i) {
  return Rgb(static_cast<std::uint8_t>(25 * i), 200, static_cast<std::uint8_t>(i));
}
Point CellCentre(int i) {
  return {20 + i % 4 * 20, 18 + i / 4 * 16};
}

class ColorSwatchesTest : public HostTest {
 protected:
  Hwnd grid;
  std::vector<LRESULT> notified;  // the selection each CSN_SELCHANGE reported

  void SetUp() override {
    HostTest::SetUp();
    host.hook = [this](const Message& m) -> LRESULT {
      if (m.message == WM_COMMAND && m.wParam == MakeWParam(40, CSN_SELCHANGE))
        notified.push_back(SendMessage(grid, CSM_GETCURSEL).value_or(-2));
      return 0;
    };
    grid = MakeChild(COLOR_SWATCHES_CLASS, 0, {10, 10, 90, 58}, 40);
    std::vector<Color> colors;
    for (int i = 0; i < 10; ++i)
      colors.push_back(CellColor(i));
    SendMessage(grid, CSM_SETCOLUMNS, 4);
    SendMessage(grid, CSM_SETCOLORS, 0, 0, colors);
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
    EXPECT_EQ(At(centre.x, centre.y), CellColor(i)) << i;
    // The selected cell has a black frame just inside its focus ring.
    EXPECT_EQ(At(centre.x - 9, centre.y), i == 6 ? Rgb(0, 0, 0) : Rgb(192, 192, 192)) << i;
  }
}

class ColorChooserTest : public DialogFixture {
 protected:
  std::optional<Color> Run(ColorChooserRequest request, const Input& input,
                           std::vector<Step> steps = {}) {
    Queue(input);
    return RunSteps(std::move(steps), [&] { return ChooseColor({}, request); });
  }
  static Hwnd Chooser() { return FindWindow("Dialog", "Color"); }
  static LRESULT AskItem(int id, std::uint32_t message) {
    return SendDlgItemMessage(Chooser(), id, message).value_or(-2);
  }
};

TEST_F(ColorChooserTest, FitsTheScreenWithEveryLabelWhole) {
  const auto look = [&] {
    EXPECT_TRUE((Rect{0, 0, 320, 240}).Contains(GetWindowRect(Chooser())));
    for (const char* label : {"Color", "Basic colors:", "Custom colors:", "Red:", "Green:", "Blue:",
                              "Add to Custom Colors", "OK", "Cancel"}) {
      EXPECT_GE(TextRect(test.Screen(), label).Width(), SystemFont()->MeasureText(label).width)
          << label;
    }
  };
  EXPECT_EQ(Run({}, {}, {look, Queued(Key(VK_ESCAPE))}), std::nullopt);
}

TEST_F(ColorChooserTest, StartsFromAPresetColourElseFromBlack) {
  struct Case {
    bool preset;
    Color initial, expected;
    LRESULT basicSelection;
  };
  for (const Case& c : {Case{true, BasicColors()[20], BasicColors()[20], 20},  // its swatch
                        Case{true, Rgb(1, 2, 3), Rgb(1, 2, 3), -1},
                        Case{false, Rgb(255, 0, 0), Rgb(0, 0, 0), -1}}) {
    const auto look = [&] {
      EXPECT_EQ(AskItem(COLOR_CHOOSER_BASIC, CSM_GETCURSEL), c.basicSelection) << c.initial;
      EXPECT_EQ(GetDlgItemText(Chooser(), COLOR_CHOOSER_BLUE), std::to_string(BlueOf(c.expected)));
    };
    const ColorChooserRequest request{.initial = c.initial, .presetInitial = c.preset};
    EXPECT_EQ(Run(request, {}, {look, Queued(Key(VK_RETURN))}), c.expected) << c.initial;
  }
}

TEST_F(ColorChooserTest, TypedValuesShowAtOnceAndAreReadClamped) {
  struct Case {
    const char *red, *green, *blue;
    Color expected;
  };
  for (const Case& c : {Case{"12", "34", "56", Rgb(12, 34, 56)},
                        Case{"300", "7", "x9", Rgb(255, 7, 0)},          // too big; not a number
                        Case{"\b", "255", "1000", Rgb(0, 255, 100)}}) {  // emptied; 3 digits
    const auto look = [&] {
      EXPECT_EQ(static_cast<Color>(AskItem(COLOR_CHOOSER_PREVIEW, CSM_GETCOLOR)), c.expected);
    };
    // Two tabs lead from the basic grid through the custom one to Red.
    const Input input = Times(2, Key(VK_TAB)) + Chars(c.red) + Key(VK_TAB) + Chars(c.green) +
                        Key(VK_TAB) + Chars(c.blue);
    EXPECT_EQ(Run({}, input, {look, Queued(Key(VK_RETURN))}), c.expected) << c.red;
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
      {Times(2, Key(VK_TAB)) + Chars("10") + AltLetter('a') + Chars("1") + AltLetter('a'),
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
    return [this, id] { Queue(Click(Centre(GetWindowRect(GetDlgItem(Chooser(), id))))); };
  };
  const std::tuple<const char*, Input, std::vector<Step>, std::optional<Color>> cases[] = {
      // Over to the custom grid and back, down two rows (the first selects) and right.
      {"keys",
       Key(VK_TAB) + Key(VK_TAB, true) + Times(2, Key(VK_DOWN)) + Key(VK_RIGHT) + Key(VK_RETURN),
       {},
       BasicColors()[9]},
      {"escape", Key(VK_DOWN) + Key(VK_ESCAPE), {}, std::nullopt},
      {"cancel clicked", Key(VK_DOWN), {clickOn(IDCANCEL)}, std::nullopt},
      {"closed", Key(VK_DOWN), {[] { PostMessage(Chooser(), WM_CLOSE); }}, std::nullopt}};
  for (const auto& [what, input, steps, expected] : cases)
    EXPECT_EQ(Run({}, input, steps), expected) << what;
}

}  // namespace
