#include "platform/ui/ColorChooser.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ColorSwatches.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr char TEMPLATE_NAME[] = "platform.ColorChooser";
constexpr int BASIC_LABEL = 1100;
constexpr int CUSTOM_LABEL = 1102;
constexpr int RED_LABEL = 1105;
constexpr int GREEN_LABEL = 1107;
constexpr int BLUE_LABEL = 1109;
constexpr int COLUMNS = 8;
constexpr int CHANNEL_DIGITS = 3;
constexpr int CHANNEL_MAX = 255;
constexpr Color DEFAULT_CUSTOM_COLOR = Rgb(255, 255, 255);

using CustomColors = std::array<Color, 16>;

// The layout, in dialog units: the two grids and the Add button on the left, the preview,
// the channel fields and OK / Cancel on the right.
constexpr int DIALOG_CX = 206;
constexpr int DIALOG_CY = 128;
constexpr int LEFT_X = 4;
constexpr int LEFT_CX = 104;
constexpr int RIGHT_X = 114;
constexpr int RIGHT_CX = 88;
constexpr int FIELD_LABEL_CX = 38;
constexpr int FIELD_X = RIGHT_X + FIELD_LABEL_CX + 4;
constexpr int FIELD_CX = 30;
constexpr int FIELD_ROW = 15;
constexpr int BUTTON_CY = 14;
constexpr int BOTTOM_Y = 110;

DialogItem Label(int id, std::string text, int x, int y, int cx) {
  return {.className = "STATIC", .text = std::move(text), .id = id, .rect = {x, y, cx, 10}};
}

DialogItem Swatches(int id, std::uint32_t style, DialogUnitRect rect) {
  return {.className = COLOR_SWATCHES_CLASS, .id = id, .style = style, .rect = rect};
}

DialogItem ChannelField(int id, int row) {
  return {.className = "edit",
          .id = id,
          .style = WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
          .rect = {FIELD_X, 48 + row * FIELD_ROW, FIELD_CX, 12}};
}

DialogItem Button(int id, std::string text, std::uint32_t style, DialogUnitRect rect) {
  return {.className = "BUTTON",
          .text = std::move(text),
          .id = id,
          .style = style | WS_TABSTOP | WS_GROUP,
          .rect = rect};
}

// In tab order. Each label comes just before its control, so that its mnemonic reaches it.
DialogTemplate ChooserTemplate() {
  const int bottomHalf = (RIGHT_CX - 4) / 2;
  return {.name = TEMPLATE_NAME,
          .title = "Color",
          .cx = DIALOG_CX,
          .cy = DIALOG_CY,
          .exStyle = WS_EX_CAPTIONOKBTN,
          .items = {
              Label(BASIC_LABEL, "&Basic colors:", LEFT_X, 3, LEFT_CX),
              Swatches(COLOR_CHOOSER_BASIC, WS_TABSTOP | WS_GROUP, {LEFT_X, 13, LEFT_CX, 60}),
              Label(CUSTOM_LABEL, "&Custom colors:", LEFT_X, 76, LEFT_CX),
              Swatches(COLOR_CHOOSER_CUSTOM, WS_TABSTOP | WS_GROUP, {LEFT_X, 86, LEFT_CX, 20}),
              Swatches(COLOR_CHOOSER_PREVIEW, CSS_DISPLAYONLY, {RIGHT_X, 13, RIGHT_CX, 30}),
              Label(RED_LABEL, "&Red:", RIGHT_X, 50, FIELD_LABEL_CX),
              ChannelField(COLOR_CHOOSER_RED, 0),
              Label(GREEN_LABEL, "&Green:", RIGHT_X, 50 + FIELD_ROW, FIELD_LABEL_CX),
              ChannelField(COLOR_CHOOSER_GREEN, 1),
              Label(BLUE_LABEL, "Bl&ue:", RIGHT_X, 50 + 2 * FIELD_ROW, FIELD_LABEL_CX),
              ChannelField(COLOR_CHOOSER_BLUE, 2),
              Button(COLOR_CHOOSER_ADD, "&Add to Custom Colors", BS_PUSHBUTTON,
                     {LEFT_X, BOTTOM_Y, LEFT_CX, BUTTON_CY}),
              Button(IDOK, "OK", BS_DEFPUSHBUTTON, {RIGHT_X, BOTTOM_Y, bottomHalf, BUTTON_CY}),
              Button(IDCANCEL, "Cancel", BS_PUSHBUTTON,
                     {RIGHT_X + RIGHT_CX - bottomHalf, BOTTOM_Y, bottomHalf, BUTTON_CY}),
          }};
}

// What a channel field says: its number, at most 255; empty or not a number reads as 0.
std::uint8_t ReadChannel(std::string_view text) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || stop != end || error == std::errc::invalid_argument)
    return 0;
  if (error == std::errc::result_out_of_range)
    return CHANNEL_MAX;
  return static_cast<std::uint8_t>(std::min(value, unsigned{CHANNEL_MAX}));
}

struct ChooserSession {
  Color current = 0;
  bool presetInitial = false;
  CustomColors custom{};
};

void ShowPreview(Hwnd dialog, Color color) {
  SendDlgItemMessage(dialog, COLOR_CHOOSER_PREVIEW, CSM_SETCOLOR, 0, static_cast<LPARAM>(color));
}

// Shows a colour that came from elsewhere than the fields: the preview and the fields.
void ShowColor(Hwnd dialog, Color color) {
  ShowPreview(dialog, color);
  SetDlgItemText(dialog, COLOR_CHOOSER_RED, std::to_string(RedOf(color)));
  SetDlgItemText(dialog, COLOR_CHOOSER_GREEN, std::to_string(GreenOf(color)));
  SetDlgItemText(dialog, COLOR_CHOOSER_BLUE, std::to_string(BlueOf(color)));
}

void InitChooser(Hwnd dialog, const ChooserSession& session) {
  const std::array<Color, 48>& basic = BasicColors();
  SendDlgItemMessage(dialog, COLOR_CHOOSER_BASIC, CSM_SETCOLUMNS, COLUMNS);
  SendDlgItemMessage(dialog, COLOR_CHOOSER_BASIC, CSM_SETCOLORS, 0, 0,
                     std::vector<Color>(basic.begin(), basic.end()));
  SendDlgItemMessage(dialog, COLOR_CHOOSER_CUSTOM, CSM_SETCOLUMNS, COLUMNS);
  SendDlgItemMessage(dialog, COLOR_CHOOSER_CUSTOM, CSM_SETCOLORS, 0, 0,
                     std::vector<Color>(session.custom.begin(), session.custom.end()));
  SendDlgItemMessage(dialog, COLOR_CHOOSER_PREVIEW, CSM_SETCOLORS, 0, 0,
                     std::vector<Color>{session.current});
  for (int id : {COLOR_CHOOSER_RED, COLOR_CHOOSER_GREEN, COLOR_CHOOSER_BLUE})
    SendDlgItemMessage(dialog, id, EM_LIMITTEXT, CHANNEL_DIGITS);
  ShowColor(dialog, session.current);
  if (session.presetInitial) {
    const auto it = std::find(basic.begin(), basic.end(), session.current);
    if (it != basic.end())
      SendDlgItemMessage(dialog, COLOR_CHOOSER_BASIC, CSM_SETCURSEL,
                         static_cast<WPARAM>(it - basic.begin()));
  }
}

void TakeSwatch(Hwnd dialog, ChooserSession& session, int id) {
  const LRESULT selected = SendDlgItemMessage(dialog, id, CSM_GETCURSEL).value_or(-1);
  if (selected < 0)
    return;
  const LRESULT color =
      SendDlgItemMessage(dialog, id, CSM_GETCOLOR, static_cast<WPARAM>(selected)).value_or(-1);
  if (color < 0)
    return;
  session.current = static_cast<Color>(color);
  ShowColor(dialog, session.current);
}

void ReadFields(Hwnd dialog, ChooserSession& session) {
  session.current = Rgb(ReadChannel(GetDlgItemText(dialog, COLOR_CHOOSER_RED)),
                        ReadChannel(GetDlgItemText(dialog, COLOR_CHOOSER_GREEN)),
                        ReadChannel(GetDlgItemText(dialog, COLOR_CHOOSER_BLUE)));
  ShowPreview(dialog, session.current);
}

// Into the selected custom cell (the first when none is), then on to the next, wrapping,
// so that repeated adds fill the table.
void AddToCustom(Hwnd dialog, ChooserSession& session) {
  const LRESULT selected =
      SendDlgItemMessage(dialog, COLOR_CHOOSER_CUSTOM, CSM_GETCURSEL).value_or(-1);
  const std::size_t index =
      selected >= 0 && static_cast<std::size_t>(selected) < session.custom.size()
          ? static_cast<std::size_t>(selected)
          : 0;
  session.custom[index] = session.current;
  SendDlgItemMessage(dialog, COLOR_CHOOSER_CUSTOM, CSM_SETCOLOR, index,
                     static_cast<LPARAM>(session.current));
  SendDlgItemMessage(dialog, COLOR_CHOOSER_CUSTOM, CSM_SETCURSEL,
                     (index + 1) % session.custom.size());
}

bool HandleCommand(Hwnd dialog, ChooserSession& session, WPARAM wParam) {
  const int id = LowWord(wParam);
  const std::uint16_t code = HighWord(wParam);
  switch (id) {
    case COLOR_CHOOSER_BASIC:
    case COLOR_CHOOSER_CUSTOM:
      if (code == CSN_SELCHANGE)
        TakeSwatch(dialog, session, id);
      return true;
    case COLOR_CHOOSER_RED:
    case COLOR_CHOOSER_GREEN:
    case COLOR_CHOOSER_BLUE:
      if (code == EN_CHANGE)
        ReadFields(dialog, session);
      return true;
    case COLOR_CHOOSER_ADD:
      if (code == BN_CLICKED)
        AddToCustom(dialog, session);
      return true;
    default:
      return false;  // OK and Cancel end the dialog as usual
  }
}

}  // namespace

const std::array<Color, 48>& BasicColors() {
  // One hue per column, at full strength; each row below the greys shows them at one level.
  struct Hue {
    int r, g, b;
  };
  static constexpr Hue HUES[COLUMNS] = {{255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {0, 255, 0},
                                        {0, 255, 255}, {0, 0, 255},   {255, 0, 255}, {255, 0, 128}};
  static constexpr int GREYS[COLUMNS] = {0, 64, 96, 128, 160, 192, 224, 255};
  static constexpr int PASTEL = -1;  // halfway to white
  static constexpr int LEVELS[] = {PASTEL, 255, 192, 128, 64};
  static const std::array<Color, 48> colors = [] {
    std::array<Color, 48> out{};
    auto channel = [](int full, int level) {
      return static_cast<std::uint8_t>(level == PASTEL ? std::min(255, (full + 256) / 2)
                                                       : full * level / 255);
    };
    for (int column = 0; column < COLUMNS; ++column) {
      const auto grey = static_cast<std::uint8_t>(GREYS[column]);
      out[column] = Rgb(grey, grey, grey);
      for (int row = 0; row < 5; ++row) {
        const Hue& hue = HUES[column];
        const int level = LEVELS[row];
        out[(row + 1) * COLUMNS + column] =
            Rgb(channel(hue.r, level), channel(hue.g, level), channel(hue.b, level));
      }
    }
    return out;
  }();
  return colors;
}

std::optional<Color> ChooseColor(Hwnd owner, ColorChooserRequest& request) {
  RequireUiThread();
  if (FindDialogTemplate(TEMPLATE_NAME) == nullptr)
    RegisterDialogTemplate(ChooserTemplate());
  ChooserSession session{.current = request.presetInitial ? request.initial & 0x00FFFFFF : 0,
                         .presetInitial = request.presetInitial};
  if (request.customColors != nullptr)
    session.custom = *request.customColors;
  else
    session.custom.fill(DEFAULT_CUSTOM_COLOR);
  const std::optional<int> result = DialogBox(TEMPLATE_NAME, owner, [&session](const Message& m) {
    switch (m.message) {
      case WM_INITDIALOG:
        InitChooser(m.hwnd, session);
        return true;
      case WM_COMMAND:
        return HandleCommand(m.hwnd, session, m.wParam);
      default:
        return false;
    }
  });
  if (result != IDOK)
    return std::nullopt;
  if (request.customColors != nullptr)
    *request.customColors = session.custom;
  return session.current;
}

}  // namespace platform
