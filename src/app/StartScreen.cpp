#include <array>

#include "app/MainWindow.h"
#include "platform/ui/MessageBox.h"
#include "resources/Pictures.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr std::array<int, 9> BRACKET_BULGE{0, 5, 8, 10, 11, 10, 8, 5, 0};
constexpr int DOT_RADIUS = 3;

void DrawDot(DeviceContext& dc, Point p) {
  dc.Ellipse(p.x - DOT_RADIUS, p.y - DOT_RADIUS, p.x + DOT_RADIUS, p.y + DOT_RADIUS);
}

void DrawBracket(DeviceContext& dc, const std::array<Point, 9>& points) {
  dc.Polyline(points);
  DrawDot(dc, points.front());
  DrawDot(dc, points.back());
}

void DrawPicture(DeviceContext& dc, std::string_view name, int x, int y) {
  const std::unique_ptr<Bitmap> picture = LoadPicture(name);
  if (!picture)
    return;
  BitmapContext source(*picture);
  dc.BitBlt(x, y, picture->Width(), picture->Height(), source, 0, 0);
}

// Only while the start screen is what shows: a full-screen window over it (a run, the
// monitor, the map options) or a modal box keeps the keys, even when the start screen under
// it is repainted.
bool StartScreenTakesKeys(const AppState& app) {
  const MainWindowState& windows = app.windows;
  for (const Hwnd window :
       {windows.loggingWindow, windows.monitorGpsWindow, windows.mapOptionsWindow}) {
    if (IsWindowVisible(window))
      return false;
  }
  return IsWindowEnabled(windows.mainWindow);
}

}  // namespace

std::array<Point, 9> LeftBracketPoints() {
  std::array<Point, 9> points;
  for (int i = 0; i < 9; ++i)
    points[i] = {175 + BRACKET_BULGE[i], 15 + 26 * i};
  return points;
}

std::array<Point, 9> RightBracketPoints() {
  std::array<Point, 9> points;
  for (int i = 0; i < 9; ++i)
    points[i] = {314 - BRACKET_BULGE[i], 15 + 26 * i};
  return points;
}

LRESULT OnMainPaint(AppState& app, const Message& message) {
  {
    PaintDC dc(message.hwnd);
    dc.SelectBrush(app.display.drawing.lightGreyBrush);
    dc.SelectPen(app.display.drawing.darkGreyPen);
    DrawBracket(dc, LeftBracketPoints());
    DrawBracket(dc, RightBracketPoints());
    DrawPicture(dc, PICTURE_FAMILY, 2, 46);
    DrawPicture(dc, PICTURE_COMPANY, 2, 222);
    DrawPicture(dc, PICTURE_LOGO, 2, 3);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.TextOut(60, 190, "Version 1.34");
  }
  if (StartScreenTakesKeys(app))
    SetFocus(message.hwnd);
  UpdateWindow(message.hwnd);
  ShowWindow(FindWindow("HHTaskBar", ""), false);
  if (app.windows.uptimeExceeded != 0) {
    MessageBox(message.hwnd, UptimeWarningText(), "PROGRAM STOP", MB_ICONEXCLAMATION);
    ExitProcess(0);
  }
  return 0;
}

}  // namespace gradlog
