#include "resources/Pictures.h"

#include <array>
#include <cctype>
#include <cmath>
#include <vector>

namespace gradlog {

using namespace platform;

namespace {

const Color BACKGROUND = Rgb(192, 192, 192);
const Color NAVY = Rgb(0, 32, 96);
const Color DARK = Rgb(64, 64, 64);

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// A dipole anomaly as a walked line shows it: a peak with a trough beside it.
std::vector<Point> DipoleCurve(int left, int width, int baseline, int height) {
  std::vector<Point> points;
  for (int x = 0; x <= width; ++x) {
    const double t = (x - width * 0.5) / (width * 0.12);
    const double value = std::exp(-t * t) - 0.45 * std::exp(-(t - 1.6) * (t - 1.6));
    points.push_back({left + x, baseline - static_cast<int>(std::lround(value * height))});
  }
  return points;
}

void DrawSensorTube(DeviceContext& dc, int x, int top, int bottom, std::string_view label) {
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, DARK));
  dc.SelectBrush(CreateSolidBrush(Rgb(236, 236, 236)));
  dc.Rectangle(x, top, x + 12, bottom);
  dc.SelectBrush(CreateSolidBrush(Rgb(200, 40, 40)));
  dc.Rectangle(x, bottom - 10, x + 12, bottom);
  dc.SelectBrush(CreateSolidBrush(Rgb(40, 40, 40)));
  dc.Rectangle(x + 2, top - 4, x + 10, top + 1);
  dc.SelectFont(CreateFont(12, 700));
  dc.SetTextColor(NAVY);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.TextOut(x - 1, bottom + 2, label);
}

std::unique_ptr<Bitmap> DrawFamily() {
  auto bitmap = std::make_unique<Bitmap>(178, 134, BACKGROUND);
  BitmapContext dc(*bitmap);
  // Carrying frame with the electronics box in the middle.
  dc.SelectPen(CreatePen(PenStyle::Solid, 4, DARK));
  dc.MoveTo(18, 24);
  dc.LineTo(160, 24);
  dc.SelectPen(CreatePen(PenStyle::Solid, 2, DARK));
  dc.MoveTo(89, 24);
  dc.LineTo(89, 8);
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 0)));
  dc.SelectBrush(CreateSolidBrush(Rgb(0, 70, 140)));
  dc.Rectangle(72, 30, 107, 62);
  dc.SelectBrush(CreateSolidBrush(Rgb(150, 220, 150)));
  dc.Rectangle(77, 35, 102, 46);
  dc.SelectBrush(CreateSolidBrush(Rgb(230, 200, 60)));
  dc.Rectangle(78, 51, 84, 57);
  dc.Rectangle(95, 51, 101, 57);
  DrawSensorTube(dc, 34, 28, 96, "G1");
  DrawSensorTube(dc, 132, 28, 96, "G2");
  // Cables from the sensors to the box.
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, Rgb(20, 20, 20)));
  const std::array<Point, 3> left{{{46, 40}, {60, 44}, {72, 44}}};
  const std::array<Point, 3> right{{{132, 40}, {118, 44}, {107, 44}}};
  dc.Polyline(left);
  dc.Polyline(right);
  // The trace a buried anomaly leaves along the line.
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, Rgb(160, 160, 160)));
  dc.MoveTo(4, 122);
  dc.LineTo(174, 122);
  dc.SelectPen(CreatePen(PenStyle::Solid, 2, Rgb(0, 0, 255)));
  const std::vector<Point> curve = DipoleCurve(4, 170, 122, 18);
  dc.Polyline(curve);
  return bitmap;
}

std::unique_ptr<Bitmap> DrawCompany() {
  auto bitmap = std::make_unique<Bitmap>(168, 12, BACKGROUND);
  BitmapContext dc(*bitmap);
  dc.SelectFont(CreateFont(12, 700));
  dc.SetTextColor(DARK);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.TextOut(0, 0, "gradlog field survey systems");
  return bitmap;
}

std::unique_ptr<Bitmap> DrawLogo() {
  auto bitmap = std::make_unique<Bitmap>(140, 34, BACKGROUND);
  BitmapContext dc(*bitmap);
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, NAVY));
  dc.SelectBrush(CreateSolidBrush(NAVY));
  dc.Rectangle(0, 0, 34, 34);
  dc.SelectPen(CreatePen(PenStyle::Solid, 2, Rgb(255, 255, 255)));
  const std::vector<Point> curve = DipoleCurve(3, 28, 22, 12);
  dc.Polyline(curve);
  dc.SelectFont(CreateFont(26, 700));
  dc.SetTextColor(NAVY);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.TextOut(39, 3, "gradlog");
  return bitmap;
}

}  // namespace

std::unique_ptr<Bitmap> LoadPicture(std::string_view name) {
  if (SameName(name, PICTURE_FAMILY))
    return DrawFamily();
  if (SameName(name, PICTURE_COMPANY))
    return DrawCompany();
  if (SameName(name, PICTURE_LOGO))
    return DrawLogo();
  return nullptr;
}

}  // namespace gradlog
