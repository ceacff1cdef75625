// The map options window's picture: title, frames, the column labels, a sample of every size
// beside its radio button, and the preview of the map in the edited sizes and colours.

#include <cstdlib>
#include <string>
#include <utility>

#include "common/BoxText.h"
#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "display/MapGeometry.h"
#include "display/MapMarks.h"
#include "display/MapOptionsInternals.h"
#include "display/OptionFrames.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr Point TITLE_AT{15, 0};
constexpr int LABEL_Y = 22;
constexpr int LINE_STEP = 13;
constexpr int TEXT_INSET = 4;
constexpr int SAVED_SAMPLE_POINTS = 44;
constexpr int EXTERNAL_SAMPLE_POINTS = 16;

const Color BLACK = Rgb(0, 0, 0);

struct ColumnLabel {
  const char* first;
  const char* second;
};
constexpr ColumnLabel COLUMN_LABELS[MAP_ITEMS_COUNT] = {
    {"Current", "Position"}, {"Saved", "Position"}, {"External", "Position"}};

Color ColorOf(std::int32_t setting) {
  return static_cast<Color>(setting) & 0x00FFFFFF;
}

void DrawFrames(DeviceContext& dc, const DisplayState& display) {
  const auto guard = dc.Save();
  const ScreenLayout& layout = display.layout;
  const Rect outer{MAP_FRAME_LEFT, MAP_FRAME_TOP, layout.screenWidth - 5, layout.screenHeight - 5};
  dc.SelectPen(display.drawing.darkGreyPen);
  OutlineFrame(dc, outer);
  for (int item = 0; item < MAP_ITEMS_COUNT; ++item)
    OutlineFrame(dc, MapColumnFrame(item));
  OutlineFrame(dc, MapPreviewFrame(layout.screenWidth));
  dc.SelectBrush(CreateSolidBrush(Rgb(64, 64, 64)));
  CornerDot(dc, {outer.left, outer.top});
  CornerDot(dc, {outer.right - 1, outer.bottom - 1});
}

// The title sits in the outer frame's top edge, the line cleared behind it.
void DrawTitle(DeviceContext& dc, const DisplayState& display) {
  const auto guard = dc.Save();
  const char* const title = "Map Display Options";
  dc.SelectFont(display.fonts.bold);
  const Size extent = dc.GetTextExtent(title);
  dc.FillRect(Rect::FromSize(TITLE_AT.x - 2, TITLE_AT.y, extent.width + 4, extent.height),
              GetStockBrush(StockObject::LightGrayBrush));
  dc.TextOut(TITLE_AT.x, TITLE_AT.y, title);
}

// The focused column's label is bold.
void DrawColumnLabels(DeviceContext& dc, const DisplayState& display) {
  const auto guard = dc.Save();
  for (int item = 0; item < MAP_ITEMS_COUNT; ++item) {
    const bool focused = display.mapOptions.mapOptionsFocus == MAP_FOCUS_FIRST_COLUMN + item;
    dc.SelectFont(focused ? display.fonts.bold : display.fonts.normal);
    const ColumnLabel& label = COLUMN_LABELS[item];
    int y = LABEL_Y;
    for (const char* line : {label.first, label.second}) {
      const int width = dc.GetTextExtent(line).width;
      dc.TextOut(MapColumnLeft(item) + (MAP_COLUMN_WIDTH - width) / 2, y, line);
      y += LINE_STEP;
    }
  }
}

// One mark of an item at a size: the position marker for the current position, the track
// point for the two tracks.
void DrawItemMark(DeviceContext& dc, const DisplayState& display, const SurveySettings& settings,
                  int item, Point at, std::int32_t size) {
  const MapResources& pens = display.mapPens;
  switch (item) {
    case MAP_ITEM_CURRENT: {
      MapGeometry marker;
      SetMapMarkerSize(marker, size);
      DrawPositionMarker(dc, at.x, at.y, marker.markerHalf, pens.currentPen);
      break;
    }
    case MAP_ITEM_SAVED:
      DrawTrackPoint(dc, at.x, at.y, size, pens.savedPen, pens.savedBrush,
                     ColorOf(settings.mapSavedColor));
      break;
    default:
      DrawTrackPoint(dc, at.x, at.y, size, pens.externalPen, pens.externalBrush,
                     ColorOf(settings.mapExternalColor));
      break;
  }
}

void DrawSizeSamples(DeviceContext& dc, const DisplayState& display,
                     const SurveySettings& settings) {
  for (int item = 0; item < MAP_ITEMS_COUNT; ++item) {
    for (int size = 0; size < MAP_SIZES_COUNT; ++size)
      DrawItemMark(dc, display, settings, item, MapSizeSampleCentre(item, size), size);
  }
}

void DrawPreviewTexts(DeviceContext& dc, const DisplayState& display,
                      const SurveySettings& settings) {
  const auto guard = dc.Save();
  const Rect frame = MapPreviewFrame(display.layout.screenWidth);
  const Rect inside{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
  const bool feet = settings.distanceUnits != 0;
  const std::string scale = BoxText(feet ? "%d feet" : "%d meters", settings.mapScale);
  const std::string interval =
      BoxText(feet ? "%.2f feet" : "%.2f meters", static_cast<double>(settings.mapGridInterval));
  const std::pair<std::string, int> lines[] = {{"Map Scale:", LABEL_Y},
                                               {scale, LABEL_Y + LINE_STEP},
                                               {"Grid Interval:", LABEL_Y + 2 * LINE_STEP + 3},
                                               {interval, LABEL_Y + 3 * LINE_STEP + 3}};
  dc.SelectFont(display.fonts.normal);
  // A runaway value from a hand-edited file is cut at the frame.
  for (const auto& [text, y] : lines)
    dc.ExtTextOut(frame.left + TEXT_INSET, y, ETO_CLIPPED, &inside, text);
  const char* const label = "Preview";
  const Rect box = MapPreviewBox(display.layout.screenWidth);
  dc.TextOut((box.left + box.right - dc.GetTextExtent(label).width) / 2, box.top - LINE_STEP - 3,
             label);
}

// A zig-zag of `count` points across the box, `rise` pixels up and down in legs of `leg`
// points.
Point ZigZagPoint(const Rect& band, int index, int count, int leg) {
  const int along = index * band.Width() / (count - 1);
  const int phase = index % (2 * leg);
  const int up = std::abs(phase - leg);
  return {band.left + along, band.top + up * band.Height() / leg};
}

// Two grid lines through the centre, the saved track above it, the external track below,
// and the marker at the centre on top.
void DrawPreview(DeviceContext& dc, const DisplayState& display, const SurveySettings& settings) {
  const auto guard = dc.Save();
  const Rect box = MapPreviewBox(display.layout.screenWidth);
  const Point centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  dc.SelectPen(display.drawing.darkGreyPen);
  dc.SelectBrush(display.drawing.whiteBrush);
  dc.Rectangle(box.left, box.top, box.right, box.bottom);
  dc.SelectPen(display.drawing.thinLightGreyPen);
  dc.MoveTo(centre.x, box.top + 1);
  dc.LineTo(centre.x, box.bottom - 1);
  dc.MoveTo(box.left + 1, centre.y);
  dc.LineTo(box.right - 1, centre.y);

  const MapOptionsState& state = display.mapOptions;
  // Inset by the largest mark's reach, clear of the box's edge and of the largest marker.
  const int reach = TRACK_POINT_REACH + 2;
  const Rect savedBand{box.left + reach, box.top + reach, box.right - reach - 1, centre.y - 13};
  for (int i = 0; i < SAVED_SAMPLE_POINTS; ++i) {
    DrawItemMark(dc, display, settings, MAP_ITEM_SAVED,
                 ZigZagPoint(savedBand, i, SAVED_SAMPLE_POINTS, 10), state.mapSavedSizeEdit);
  }
  const Rect externalBand{box.left + reach, centre.y + 14, box.right - reach - 1,
                          box.bottom - reach - 1};
  for (int i = 0; i < EXTERNAL_SAMPLE_POINTS; ++i) {
    DrawItemMark(dc, display, settings, MAP_ITEM_EXTERNAL,
                 ZigZagPoint(externalBand, i, EXTERNAL_SAMPLE_POINTS, 4),
                 state.mapExternalSizeEdit);
  }
  DrawPositionMarker(dc, centre.x, centre.y, display.map.markerHalf, display.mapPens.currentPen);
}

}  // namespace

LRESULT OnMapOptionsPaint(MapOptionsContext& context, const Message& message) {
  const DisplayState& display = context.display;
  const SurveySettings& settings = context.config.settings;
  PaintDC dc(message.hwnd);
  dc.SelectBrush(display.drawing.lightGreyBrush);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(BLACK);
  DrawFrames(dc, display);
  DrawTitle(dc, display);
  DrawColumnLabels(dc, display);
  DrawSizeSamples(dc, display, settings);
  DrawPreviewTexts(dc, display, settings);
  DrawPreview(dc, display, settings);
  return 0;
}

}  // namespace gradlog
