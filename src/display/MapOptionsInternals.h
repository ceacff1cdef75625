#pragma once

// The pieces the map options window's files share: its controls, its layout, the three items
// it edits and the actions its input table runs.

#include <array>
#include <cstdint>

#include "config/SurveySettings.h"
#include "display/MapOptionsWindow.h"
#include "platform/ui/Window.h"

namespace gradlog {

struct ConfigState;
struct DisplayState;

// What every handler of the window works on.
struct MapOptionsContext {
  ConfigState& config;
  DisplayState& display;
};

inline constexpr char MAP_OPTIONS_CLASS[] = "DisplayMapOptionsWnd";

// The three items, one column each: the current-position marker, the saved (logged) track
// and the external track.
inline constexpr int MAP_ITEM_CURRENT = 0;
inline constexpr int MAP_ITEM_SAVED = 1;
inline constexpr int MAP_ITEM_EXTERNAL = 2;
inline constexpr int MAP_ITEMS_COUNT = 3;
inline constexpr int MAP_SIZES_COUNT = 6;  // size steps 0 to 5, one radio button each

struct MapItemFields {
  std::int32_t SurveySettings::*size;
  std::int32_t SurveySettings::*color;
  std::int32_t MapOptionsState::*sizeEdit;
  std::int32_t MapOptionsState::*colorBackup;
  int firstSizeId;  // the radio button of size 0; size k is this plus k
};

inline constexpr std::array<MapItemFields, MAP_ITEMS_COUNT> MAP_ITEMS{{
    {&SurveySettings::mapCurrentMarkerSize, &SurveySettings::mapCurrentColor,
     &MapOptionsState::mapCurrentSizeEdit, &MapOptionsState::mapCurrentColorBackup, 350},
    {&SurveySettings::mapSavedPointSize, &SurveySettings::mapSavedColor,
     &MapOptionsState::mapSavedSizeEdit, &MapOptionsState::mapSavedColorBackup, 360},
    {&SurveySettings::mapExternalPointSize, &SurveySettings::mapExternalColor,
     &MapOptionsState::mapExternalSizeEdit, &MapOptionsState::mapExternalColorBackup, 370},
}};

// Push buttons, in focus order: OK, Cancel, then one "Color" per item.
inline constexpr int MAP_OPTIONS_OK_ID = 332;
inline constexpr int MAP_OPTIONS_CANCEL_ID = 333;
inline constexpr int MAP_OPTIONS_FIRST_COLOR_ID = 334;
inline constexpr int MAP_OPTIONS_PUSH_BUTTONS = 5;

// Keyboard focus (mapOptionsFocus): the push buttons by their order, then the columns.
inline constexpr std::int32_t MAP_FOCUS_OK = 0;
inline constexpr std::int32_t MAP_FOCUS_CANCEL = 1;
inline constexpr std::int32_t MAP_FOCUS_FIRST_COLOR = 2;
inline constexpr std::int32_t MAP_FOCUS_FIRST_COLUMN = 5;
inline constexpr std::int32_t MAP_FOCUS_LAST = 7;

// Layout, in client pixels.
inline constexpr int MAP_FRAME_LEFT = 6;
inline constexpr int MAP_FRAME_TOP = 6;
inline constexpr int MAP_COLUMN_LEFT = 12;
inline constexpr int MAP_COLUMN_TOP = 20;
inline constexpr int MAP_COLUMN_WIDTH = 60;
inline constexpr int MAP_COLUMN_HEIGHT = 180;
inline constexpr int MAP_COLUMN_GAP = 4;
inline constexpr int MAP_FIRST_ROW_Y = 50;
inline constexpr int MAP_ROW_STEP = 20;

inline int MapColumnLeft(int column) {
  return MAP_COLUMN_LEFT + column * (MAP_COLUMN_WIDTH + MAP_COLUMN_GAP);
}
inline platform::Rect MapColumnFrame(int column) {
  return platform::Rect::FromSize(MapColumnLeft(column), MAP_COLUMN_TOP, MAP_COLUMN_WIDTH,
                                  MAP_COLUMN_HEIGHT);
}
// The size sample drawn beside a radio button.
inline platform::Point MapSizeSampleCentre(int column, int size) {
  return {MapColumnLeft(column) + 40, MAP_FIRST_ROW_Y + MAP_ROW_STEP * size + 7};
}
// The fourth frame, right of the columns up to the outer frame's margin.
inline platform::Rect MapPreviewFrame(int screenWidth) {
  return {MapColumnLeft(MAP_ITEMS_COUNT), MAP_COLUMN_TOP, screenWidth - 2 * MAP_FRAME_LEFT,
          MAP_COLUMN_TOP + MAP_COLUMN_HEIGHT};
}
// The white box of the preview inside that frame; the marker stands at its centre.
inline platform::Rect MapPreviewBox(int screenWidth) {
  const platform::Rect frame = MapPreviewFrame(screenWidth);
  return {frame.left + 6, 98, frame.right - 6, frame.bottom - 4};
}

// Window message handlers.
platform::LRESULT OnMapOptionsCreate(MapOptionsContext& context, const platform::Message& message);
platform::LRESULT OnMapOptionsPaint(MapOptionsContext& context, const platform::Message& message);
platform::LRESULT OnMapOptionsInput(MapOptionsContext& context, const platform::Message& message);

// A character counts only when its key went down in the window: the key that opened it (Enter
// on the start screen's highlight) or the Enter that closed the colour chooser must not act
// here too. The focus leaving the window, or a fresh opening, forgets the key.
void SetMapOptionsKeyDown(platform::Hwnd window, bool down);

// Sizes, focus and the controls that show them.
// The sizes to edit and the colours to restore, from the settings.
void TakeMapOptionsEdits(MapOptionsState& state, const SurveySettings& settings);
void SetMapItemSize(MapOptionsContext& context, int item, std::int32_t size);
void StepFocusedMapSize(MapOptionsContext& context, int step);
void MoveMapOptionsFocusOn(MapOptionsContext& context);
// Only the push button with the keyboard focus looks like the default button.
void ShowMapOptionsDefaultButton(const MapOptionsState& state);
// Exactly one radio button of each column checked: the one of its edited size.
void CheckMapSizeButtons(const MapOptionsState& state);

// The three push-button actions.
void ChooseMapItemColor(MapOptionsContext& context, int item);
void AcceptMapOptions(MapOptionsContext& context);
void CancelMapOptions(MapOptionsContext& context);

}  // namespace gradlog
