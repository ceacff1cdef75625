#pragma once

#include <cstdint>
#include <functional>

#include "display/DrawingResources.h"
#include "display/GridRows.h"
#include "display/LoggingLayout.h"
#include "display/MapGeometry.h"
#include "display/MapOptionsWindow.h"
#include "display/MapView.h"
#include "display/ProfileCurves.h"
#include "display/ProfileOptionsWindow.h"

namespace gradlog {

// Where the logging screen's windows sit, and the system font's cell.
struct ScreenLayout {
  std::int32_t screenWidth = 320;
  std::int32_t screenHeight = 240;
  std::int32_t curveLeft = 4;
  std::int32_t curveTop = 4;
  std::int32_t curveWidth = 215;
  std::int32_t curveHeight = 215;
  std::int32_t barsHeight = 80;
  std::int32_t barsWidth = 32;
  std::int32_t charHeight = 8;
  std::int32_t charWidth = 8;
};

// The profile and bar scales, rebuilt whenever the profile range changes.
struct ProfileScales {
  float profilePixelsPerUnit = 0.0f;
  float barPixelsPerUnit = 0.0f;
  GridRows profileGridRows;
  GridRows barGridRows;
  std::int32_t barBaseMode = 1;
  std::int32_t channelCount = 2;
};

// What the screen shows and draws with; touched on the UI thread only.
struct DisplayState {
  ScreenLayout layout;
  ProfileScales profile;
  float speedPixelsPerUnit = 0.0f;
  MapGeometry map;
  MapViewState mapView;
  std::int32_t mapViewShown = 0;
  LoggingBoxes boxes;
  ProfileCurveState curves;
  ProfileOptionsState profileOptions;
  MapOptionsState mapOptions;

  Fonts fonts;
  DrawingResources drawing;
  ChannelResources channels;
  MapResources mapPens;

  // What the logging screen does when a dialog changes its station or scales; empty while
  // there is no logging screen.
  std::function<void()> redrawStationBox;
  std::function<void()> restartProfileCurves;
};

}  // namespace gradlog
