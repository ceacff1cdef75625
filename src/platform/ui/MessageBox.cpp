#include "platform/ui/MessageBox.h"

#include <algorithm>

#include "platform/ui/ModalLoop.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr char MESSAGE_BOX_CLASS[] = "MessageBoxWnd";
constexpr int MARGIN = 8;
constexpr int ICON_SIZE = 24;
constexpr int BUTTON_WIDTH = 56;
constexpr int BUTTON_HEIGHT = 20;
constexpr int BUTTON_GAP = 8;
constexpr int FIRST_BUTTON_ID = 100;

struct ButtonSpec {
  const char* text;
  int result;
  std::uint32_t mnemonic;  // virtual key, 0 for none
};

struct MessageBoxData {
  std::vector<std::string> lines;
  unsigned icon = 0;
  std::vector<ButtonSpec> buttons;
  Rect textRect;  // client coordinates
  int result = 0;
};

std::vector<ButtonSpec> ButtonsFor(unsigned flags) {
  if ((flags & 0x0F) == MB_YESNO)
    return {{"&Yes", IDYES, 'Y'}, {"&No", IDNO, 'N'}};
  return {{"OK", IDOK, 0}};
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      continue;
    if (text[i] == '\n' || text[i] == '\r') {
      lines.push_back(std::move(line));
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.empty() || lines.empty())
    lines.push_back(std::move(line));
  return lines;
}

// Breaks lines wider than the screen allows at spaces (or anywhere, for one long word).
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, const Font& font,
                                   int maxWidth) {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    std::string rest = line;
    while (font.MeasureText(rest).width > maxWidth && rest.size() > 1) {
      std::size_t cut = rest.size() - 1;
      while (cut > 1 && font.MeasureText(rest.substr(0, cut)).width > maxWidth)
        --cut;
      const std::size_t space = rest.rfind(' ', cut);
      if (space != std::string::npos && space > 0)
        cut = space;
      out.push_back(rest.substr(0, cut));
      rest = rest.substr(cut);
      if (!rest.empty() && rest.front() == ' ')
        rest.erase(0, 1);
    }
    out.push_back(rest);
  }
  return out;
}

MessageBoxData& DataOf(Hwnd hwnd) {
  return std::any_cast<MessageBoxData&>(*GetWindowData(hwnd));
}

void FillTriangle(DeviceContext& dc, int left, int top, int size, Color fill, Color outline) {
  for (int row = 0; row < size; ++row) {
    const int half = row / 2;
    const int centre = left + size / 2;
    dc.SelectPen(CreatePen(PenStyle::Solid, 1, row == size - 1 ? outline : fill));
    dc.MoveTo(centre - half, top + row);
    dc.LineTo(centre + half + 1, top + row);
    dc.SetPixel(centre - half, top + row, outline);
    dc.SetPixel(centre + half, top + row, outline);
  }
}

void DrawIcon(DeviceContext& dc, unsigned icon, int x, int y) {
  const auto guard = dc.Save();
  dc.SelectFont(CreateFont(13, 700));
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  Rect glyph{x, y + 4, x + ICON_SIZE, y + ICON_SIZE};
  if (icon == MB_ICONEXCLAMATION) {
    FillTriangle(dc, x, y, ICON_SIZE, Rgb(255, 255, 0), Rgb(0, 0, 0));
    dc.SetTextColor(Rgb(0, 0, 0));
    dc.DrawText("!", glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  const bool question = icon == MB_ICONQUESTION;
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 128)));
  dc.SelectBrush(CreateSolidBrush(question ? Rgb(255, 255, 255) : Rgb(0, 0, 255)));
  dc.Ellipse(x, y, x + ICON_SIZE, y + ICON_SIZE);
  dc.SetTextColor(question ? Rgb(0, 0, 255) : Rgb(255, 255, 255));
  glyph = {x, y, x + ICON_SIZE, y + ICON_SIZE};
  dc.DrawText(question ? "?" : "i", glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintMessageBox(Hwnd hwnd) {
  PaintDC dc(hwnd);
  const MessageBoxData& data = DataOf(hwnd);
  if (data.icon != 0)
    DrawIcon(dc, data.icon, MARGIN, MARGIN);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(Rgb(0, 0, 0));
  const int lineHeight = dc.GetTextMetrics().height;
  int y = data.textRect.top;
  for (const std::string& line : data.lines) {
    dc.TextOut(data.textRect.left, y, line);
    y += lineHeight;
  }
}

LRESULT MessageBoxProc(const Message& m) {
  switch (m.message) {
    case WM_PAINT:
      PaintMessageBox(m.hwnd);
      return 0;
    case WM_COMMAND: {
      MessageBoxData& data = DataOf(m.hwnd);
      const int index = LowWord(m.wParam) - FIRST_BUTTON_ID;
      if (index >= 0 && index < static_cast<int>(data.buttons.size())) {
        data.result = data.buttons[index].result;
      }
      return 0;
    }
    case WM_CLOSE:
      return 0;  // only a button ends the box
    default:
      return DefWindowProc(m);
  }
}

Hwnd CreateBox(std::string_view text, std::string_view caption, unsigned flags) {
  MessageBoxData data;
  data.icon = flags & 0xF0;
  data.buttons = ButtonsFor(flags);
  const FontHandle font = SystemFont();
  const TextMetrics metrics = font->Metrics();
  const int iconSpace = data.icon != 0 ? ICON_SIZE + MARGIN : 0;
  const int maxTextWidth = SCREEN_WIDTH - 2 - 2 * MARGIN - iconSpace;
  data.lines = WrapLines(SplitLines(text), *font, maxTextWidth);

  int textWidth = 0;
  for (const std::string& line : data.lines) {
    textWidth = std::max(textWidth, font->MeasureText(line).width);
  }
  const int textHeight = static_cast<int>(data.lines.size()) * metrics.height;
  const int buttonCount = static_cast<int>(data.buttons.size());
  const int buttonsWidth = buttonCount * BUTTON_WIDTH + (buttonCount - 1) * BUTTON_GAP;
  const int captionWidth = CreateFont(13, 700)->MeasureText(caption).width + 8;
  const int clientWidth = std::min(
      SCREEN_WIDTH - 2, std::max({iconSpace + textWidth, buttonsWidth, captionWidth}) + 2 * MARGIN);
  const int bodyHeight = std::max(textHeight, data.icon != 0 ? ICON_SIZE : 0);
  const int clientHeight =
      std::min(SCREEN_HEIGHT - 2 - CAPTION_HEIGHT, 3 * MARGIN + bodyHeight + BUTTON_HEIGHT);
  data.textRect =
      Rect::FromSize(MARGIN + iconSpace, MARGIN + std::max(0, (bodyHeight - textHeight) / 2),
                     textWidth, textHeight);

  const int width = clientWidth + 2;
  const int height = clientHeight + 2 + CAPTION_HEIGHT;
  const Rect rect =
      Rect::FromSize((SCREEN_WIDTH - width) / 2, (SCREEN_HEIGHT - height) / 2, width, height);
  const Hwnd box = CreateWindow({.className = MESSAGE_BOX_CLASS,
                                 .title = std::string(caption),
                                 .style = WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                 .rect = rect});
  if (!box)
    return {};
  SetWindowData(box, std::move(data));

  int x = (clientWidth - buttonsWidth) / 2;
  const int y = clientHeight - MARGIN - BUTTON_HEIGHT;
  for (int i = 0; i < buttonCount; ++i) {
    const ButtonSpec& button = DataOf(box).buttons[i];
    CreateWindow(
        {.className = "BUTTON",
         .title = button.text,
         .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
         .rect = Rect::FromSize(x, y, BUTTON_WIDTH, BUTTON_HEIGHT),
         .parent = box,
         .id = FIRST_BUTTON_ID + i});
    x += BUTTON_WIDTH + BUTTON_GAP;
  }
  return box;
}

bool IsInside(Hwnd hwnd, Hwnd box) {
  for (Hwnd w = hwnd; w; w = GetParent(w)) {
    if (w == box)
      return true;
  }
  return false;
}

// The box's own keyboard handling, ahead of the focused control: Enter presses the
// focused button, Escape ends a box with a single OK, Tab and arrows move between the
// buttons, and Y and N answer a question.
bool HandleBoxKey(Hwnd box, const Message& m) {
  if (m.message != WM_KEYDOWN || !IsInside(m.hwnd, box))
    return false;
  MessageBoxData& data = DataOf(box);
  const int count = static_cast<int>(data.buttons.size());
  int focused = GetDlgCtrlID(GetFocus()) - FIRST_BUTTON_ID;
  if (focused < 0 || focused >= count)
    focused = 0;
  switch (m.wParam) {
    case VK_RETURN:
    case VK_SPACE:
      data.result = data.buttons[focused].result;
      return true;
    case VK_ESCAPE:
      if (count == 1)
        data.result = data.buttons[0].result;
      return true;
    case VK_TAB:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LEFT:
    case VK_UP: {
      const bool back = m.wParam == VK_LEFT || m.wParam == VK_UP;
      const int next = (focused + (back ? count - 1 : 1)) % count;
      SendMessage(GetDlgItem(box, FIRST_BUTTON_ID + focused), BM_SETSTYLE, BS_PUSHBUTTON, 1);
      SendMessage(GetDlgItem(box, FIRST_BUTTON_ID + next), BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
      SetFocus(GetDlgItem(box, FIRST_BUTTON_ID + next));
      return true;
    }
    default:
      for (const ButtonSpec& button : data.buttons) {
        if (button.mnemonic != 0 && m.wParam == button.mnemonic) {
          data.result = button.result;
          return true;
        }
      }
      return true;  // other keys do nothing while the box is up
  }
}

}  // namespace

void RegisterMessageBoxClass() {
  RegisterClass({.name = MESSAGE_BOX_CLASS,
                 .procedure = MessageBoxProc,
                 .background = GetStockBrush(StockObject::LightGrayBrush)});
}

int MessageBox(Hwnd owner, std::string_view text, std::string_view caption, unsigned flags) {
  RequireUiThread();
  const Hwnd previousFocus = GetFocus();
  int result = ButtonsFor(flags).front().result;
  {
    const ModalInputBlock block;
    const Hwnd box = CreateBox(text, caption, flags);
    if (box) {
      SetFocus(GetDlgItem(box, FIRST_BUTTON_ID));
      RunModalLoop([&] { return !IsWindow(box) || DataOf(box).result != 0; },
                   [&](const Message& m) { return HandleBoxKey(box, m); });
      if (IsWindow(box)) {
        if (DataOf(box).result != 0)
          result = DataOf(box).result;
        DestroyWindow(box);
      }
    }
  }
  SetFocus(IsWindow(previousFocus) ? previousFocus : owner);
  return result;
}

}  // namespace platform
