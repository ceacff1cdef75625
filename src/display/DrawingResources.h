#pragma once

#include <array>

#include "config/SurveySettings.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

struct Fonts {
  platform::FontHandle normal;
  platform::FontHandle bold;
  platform::FontHandle boldSmall;
};

// Pens and brushes created once at start-up.
struct DrawingResources {
  platform::PenHandle lightGreyPen;      // 2 pixels: the zero row
  platform::PenHandle thinLightGreyPen;  // 1 pixel: grid rows
  platform::BrushHandle lightGreyBrush;
  platform::PenHandle darkGreyPen;
  platform::PenHandle midGreyPen;
  platform::PenHandle blackPen;
  platform::PenHandle whitePen;
  platform::BrushHandle whiteBrush;
  platform::PenHandle greenPen;
  platform::BrushHandle greenBrush;
  platform::PenHandle redPen;
  platform::BrushHandle redBrush;
  platform::PenHandle bluePen;
  platform::BrushHandle blueBrush;
};

// Per profile channel, rebuilt when the profile options change.
struct ChannelResources {
  std::array<platform::PenHandle, 8> curvePen;  // channelThickness wide
  std::array<platform::PenHandle, 8> thinPen;   // 1 pixel
  std::array<platform::BrushHandle, 8> brush;
};

// The map's pens and brushes, rebuilt when the map options change.
struct MapResources {
  platform::PenHandle currentPen;
  platform::PenHandle savedPen;
  platform::BrushHandle savedBrush;
  platform::PenHandle externalPen;
  platform::BrushHandle externalBrush;
};

Fonts CreateFonts();
DrawingResources CreateDrawingResources();
// The two sets built from the settings.
MapResources CreateMapResources(const SurveySettings& settings);
ChannelResources CreateChannelResources(const SurveySettings& settings);

}  // namespace gradlog
