// What the choices inside the map options window do: the edited sizes, the radio buttons
// that show them, and where the keyboard focus sits.

#include <algorithm>

#include "display/DisplayState.h"
#include "display/MapGeometry.h"
#include "display/MapOptionsInternals.h"
#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

namespace {

bool IsPushButtonFocus(std::int32_t focus) {
  return focus >= MAP_FOCUS_OK && focus < MAP_OPTIONS_PUSH_BUTTONS;
}

// The push buttons' ids follow their focus order.
void SetDefaultLook(const MapOptionsState& state, std::int32_t focus, bool isDefault) {
  SendMessage(GetDlgItem(state.window, MAP_OPTIONS_OK_ID + focus), BM_SETSTYLE,
              isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

void Redraw(const MapOptionsState& state) {
  InvalidateRect(state.window, nullptr, true);
}

}  // namespace

// A hand-edited file may hold any size; the window offers, and stores, the steps 0 to 5.
void TakeMapOptionsEdits(MapOptionsState& state, const SurveySettings& settings) {
  for (const MapItemFields& item : MAP_ITEMS) {
    state.*item.sizeEdit = std::clamp(settings.*item.size, 0, MAP_SIZES_COUNT - 1);
    state.*item.colorBackup = settings.*item.color;
  }
  state.mapGridIntervalCopy = settings.mapGridInterval;
}

void ShowMapOptionsDefaultButton(const MapOptionsState& state) {
  for (std::int32_t focus = MAP_FOCUS_OK; focus < MAP_OPTIONS_PUSH_BUTTONS; ++focus)
    SetDefaultLook(state, focus, focus == state.mapOptionsFocus);
}

void CheckMapSizeButtons(const MapOptionsState& state) {
  for (const MapItemFields& item : MAP_ITEMS) {
    for (int size = 0; size < MAP_SIZES_COUNT; ++size) {
      SendMessage(GetDlgItem(state.window, item.firstSizeId + size), BM_SETCHECK,
                  size == state.*item.sizeEdit ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

// The map's marker follows the size being edited, so that the preview and the map agree.
void SetMapItemSize(MapOptionsContext& context, int item, std::int32_t size) {
  MapOptionsState& state = context.display.mapOptions;
  state.*MAP_ITEMS[static_cast<std::size_t>(item)].sizeEdit = size;
  if (item == MAP_ITEM_CURRENT)
    SetMapMarkerSize(context.display.map, size);
  CheckMapSizeButtons(state);
  Redraw(state);
  SetFocus(state.window);
}

// Arrows step the focused column's size round 0 to 5; elsewhere they do nothing.
void StepFocusedMapSize(MapOptionsContext& context, int step) {
  const MapOptionsState& state = context.display.mapOptions;
  const int item = state.mapOptionsFocus - MAP_FOCUS_FIRST_COLUMN;
  if (item < 0 || item >= MAP_ITEMS_COUNT)
    return;
  const std::int32_t size = state.*MAP_ITEMS[static_cast<std::size_t>(item)].sizeEdit;
  SetMapItemSize(context, item,
                 ((size + step) % MAP_SIZES_COUNT + MAP_SIZES_COUNT) % MAP_SIZES_COUNT);
}

// Tab: OK, Cancel, the three "Color" buttons, the three columns and round again. A column
// shows its focus by its bold label, so reaching one, or leaving the last, redraws.
void MoveMapOptionsFocusOn(MapOptionsContext& context) {
  MapOptionsState& state = context.display.mapOptions;
  if (IsPushButtonFocus(state.mapOptionsFocus))
    SetDefaultLook(state, state.mapOptionsFocus, false);
  std::int32_t next = state.mapOptionsFocus + 1;
  if (next > MAP_FOCUS_LAST) {
    next = MAP_FOCUS_OK;
    Redraw(state);
  }
  state.mapOptionsFocus = next;
  if (IsPushButtonFocus(next))
    SetDefaultLook(state, next, true);
  else
    Redraw(state);
}

}  // namespace gradlog
