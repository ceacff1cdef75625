#include "display/DrawingResources.h"

namespace gradlog {

using platform::Color;
using platform::CreatePen;
using platform::CreateSolidBrush;
using platform::PenStyle;
using platform::Rgb;

namespace {

// A hand-edited settings file may hold any number as a pen width.
int SafePenWidth(std::int32_t width) {
  return width < 0 ? 0 : (width > 32 ? 32 : width);
}

Color ColorOf(std::int32_t value) {
  return static_cast<Color>(value) & 0x00FFFFFF;
}

}  // namespace

Fonts CreateFonts() {
  return Fonts{.normal = platform::CreateFont(13, 400),
               .bold = platform::CreateFont(13, 700),
               .boldSmall = platform::CreateFont(12, 700)};
}

DrawingResources CreateDrawingResources() {
  DrawingResources d;
  const Color lightGrey = Rgb(192, 192, 192);
  d.lightGreyPen = CreatePen(PenStyle::Solid, 2, lightGrey);
  d.thinLightGreyPen = CreatePen(PenStyle::Solid, 1, lightGrey);
  d.lightGreyBrush = CreateSolidBrush(lightGrey);
  d.darkGreyPen = CreatePen(PenStyle::Solid, 1, Rgb(64, 64, 64));
  d.midGreyPen = CreatePen(PenStyle::Solid, 1, Rgb(160, 160, 160));
  d.blackPen = CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 0));
  d.whitePen = CreatePen(PenStyle::Solid, 1, Rgb(255, 255, 255));
  d.whiteBrush = CreateSolidBrush(Rgb(255, 255, 255));
  d.greenPen = CreatePen(PenStyle::Solid, 1, Rgb(0, 255, 0));
  d.greenBrush = CreateSolidBrush(Rgb(0, 255, 0));
  d.redPen = CreatePen(PenStyle::Solid, 1, Rgb(255, 0, 0));
  d.redBrush = CreateSolidBrush(Rgb(255, 0, 0));
  d.bluePen = CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 255));
  d.blueBrush = CreateSolidBrush(Rgb(0, 0, 255));
  return d;
}

MapResources CreateMapResources(const SurveySettings& s) {
  return MapResources{
      .currentPen = CreatePen(PenStyle::Solid, 1, ColorOf(s.mapCurrentColor)),
      .savedPen = CreatePen(PenStyle::Solid, 1, ColorOf(s.mapSavedColor)),
      .savedBrush = CreateSolidBrush(ColorOf(s.mapSavedColor)),
      .externalPen = CreatePen(PenStyle::Solid, 1, ColorOf(s.mapExternalColor)),
      .externalBrush = CreateSolidBrush(ColorOf(s.mapExternalColor)),
  };
}

ChannelResources CreateChannelResources(const SurveySettings& s) {
  ChannelResources fresh;
  for (std::size_t i = 0; i < fresh.curvePen.size(); ++i) {
    const Color color = ColorOf(s.channelColor[i]);
    fresh.curvePen[i] = CreatePen(PenStyle::Solid, SafePenWidth(s.channelThickness[i]), color);
    fresh.thinPen[i] = CreatePen(PenStyle::Solid, 1, color);
    fresh.brush[i] = CreateSolidBrush(color);
  }
  return fresh;
}

}  // namespace gradlog
