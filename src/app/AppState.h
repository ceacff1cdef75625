#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "config/SurveySettings.h"
#include "datafile/DataFile.h"
#include "display/GridRows.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/sys/ReaderThread.h"
#include "platform/ui/Window.h"
#include "serial/SharedPort.h"

namespace gradlog {

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

// The one program-wide state record. Members are grouped by the part of the program that
// owns them; they are touched on the UI thread only unless marked otherwise.
struct AppState {
  // Settings and the values derived from them when they are loaded.
  SurveySettings settings;
  std::int32_t storageCardPresent = 0;
  float gpsOffsetX = 0.0f;
  float gpsOffsetY = 0.0f;
  double currentStation = 0.0;
  std::int32_t activeSurveyMode = 0;
  float currentStationIncrement = 1.0f;
  std::int32_t readingIntervalMs = 200;
  std::int32_t gpsDisplayIntervalMs = 910;
  float profilePixelsPerUnit = 0.0f;
  float barPixelsPerUnit = 0.0f;
  float speedPixelsPerUnit = 0.0f;
  std::int32_t mapMarkerDiameter = 9;
  std::int32_t mapMarkerHalf = 4;
  std::int32_t mapMarginPx = 32;
  std::int32_t mapMarginOuterPx = 52;

  // Screen layout.
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

  // Profile and bar scales.
  GridRows profileGridRows;
  GridRows barGridRows;
  std::int32_t barBaseMode = 1;
  std::int32_t channelCount = 2;

  // GPS sentence selection.
  std::array<char, 4> gpsSentenceTag{};
  std::int32_t gpsFieldCount = 0;
  std::array<std::int32_t, 7> gpsFieldRole{};
  std::array<std::int32_t, 7> gpsFieldIndex{};

  // Map geometry and track buffers.
  std::int32_t mapExtent = 212;
  std::int32_t mapHalfWidth = 106;
  std::int32_t mapHalfHeight = 106;
  double mapPixelsPerUnit = 21.2;
  double mapPrevPixelsPerUnit = 21.2;
  std::int32_t maxTrackPositions = 14400;
  std::int32_t trackBufferSize = 14600;
  std::int32_t trackBuffersReserved = 0;
  std::vector<std::int32_t> trackX;
  std::vector<std::int32_t> trackY;

  // Serial ports and the instrument reader. The reader thread writes the atomics.
  SharedPort gpsPortHandle;
  SharedPort instrumentPortHandle;
  std::array<char, 104> instrumentLine{};  // the line being handled, without CR LF
  std::uint32_t instrumentLineStartTick = 0;
  std::atomic<std::uint32_t> lastReadingTick{0};
  std::atomic<std::int32_t> connectionRetries{0};
  std::atomic<std::int32_t> instrumentRecordLength{9};
  float instrumentRecordPeriodMs = 0.0f;
  std::int32_t readingsPerInterval = 1;
  std::unique_ptr<platform::ReaderThread> instrumentReader;

  // The data file, shared with the total-station reader thread, and the run's counters.
  std::shared_ptr<DataFile> dataFileHandle;
  std::string dataFileName;
  std::int32_t recordLength = RECORD_LENGTH;
  std::atomic<std::int32_t> recordingState{0};
  std::atomic<std::uint32_t> recordingStartTick{0};
  std::int32_t gradReadingCount = 0;
  std::atomic<std::int32_t> gpsRecordCount{0};
  std::int32_t firstReadingDone = 0;  // 0: the next reading is taken at currentStation

  // What the logging screen does when a dialog changes its station or scales; empty while
  // there is no logging screen.
  std::function<void()> redrawStationBox;
  std::function<void()> restartProfileCurves;

  // Start screen and program life.
  platform::FontHandle fontNormal;
  platform::FontHandle fontBold;
  platform::FontHandle fontBoldSmall;
  DrawingResources drawing;
  ChannelResources channels;
  MapResources map;
  platform::Hwnd mainWindow;
  platform::Hwnd loggingWindow;
  platform::Hwnd monitorGpsWindow;
  platform::Hwnd mapOptionsWindow;
  std::array<platform::Hwnd, 9> mainButtons{};
  std::int32_t mainButtonSelection = 1;
  std::atomic<std::int32_t> keepAliveRunning{0};  // read by the keep-alive thread
  std::int32_t uptimeExceeded = 0;
  std::int32_t mapViewShown = 0;
  std::int32_t loggingActive = 0;
  std::int32_t loggingWindowShown = 0;
  std::jthread keepAliveThread;
};

}  // namespace gradlog
