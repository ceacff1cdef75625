#include "resources/DialogTemplates.h"

#include <string>
#include <string_view>
#include <vector>

#include "config/SettingChoices.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

namespace {

using platform::DialogItem;
using platform::DialogTemplate;

constexpr std::uint32_t LIST_STYLE =
    platform::CBS_DROPDOWNLIST | platform::WS_TABSTOP | platform::WS_VSCROLL;
constexpr std::uint32_t EDIT_STYLE =
    platform::WS_BORDER | platform::WS_TABSTOP | platform::ES_AUTOHSCROLL;

DialogItem Label(controls::ControlId id, std::string text, int x, int y, int cx, int cy = 10) {
  return {.className = "STATIC",
          .text = std::move(text),
          .id = id,
          .style = platform::SS_LEFT,
          .rect = {x, y, cx, cy}};
}

DialogItem CentredLabel(controls::ControlId id, std::string text, int x, int y, int cx,
                        int cy = 10) {
  DialogItem item = Label(id, std::move(text), x, y, cx, cy);
  item.style = platform::SS_CENTER;
  return item;
}

DialogItem Edit(controls::ControlId id, int x, int y, int cx) {
  return {.className = "edit", .id = id, .style = EDIT_STYLE, .rect = {x, y, cx, 11}};
}

// A drop-down list; `cy` includes the opened list.
DialogItem List(controls::ControlId id, std::vector<std::string> entries, int x, int y, int cx,
                int cy) {
  return {.className = "combobox",
          .id = id,
          .style = LIST_STYLE,
          .rect = {x, y, cx, cy},
          .entries = std::move(entries)};
}

// Every dialog is a captioned pop-up with the OK button in its caption bar.
DialogTemplate Dialog(std::string_view name, std::string title, int cx, int cy,
                      std::vector<DialogItem> items) {
  return {.name = std::string(name),
          .title = std::move(title),
          .cx = cx,
          .cy = cy,
          .exStyle = platform::WS_EX_CAPTIONOKBTN,
          .items = std::move(items)};
}

// Rows of the dialogs laid out here: a label column and a control column, 12 units apart.
constexpr int ROW = 12;
int RowY(int row) {
  return 4 + row * ROW;
}

DialogTemplate SurveySetup() {
  namespace ids = controls::survey_setup;
  constexpr int LABEL_X = 4, LABEL_CX = 50, CONTROL_X = 58, CONTROL_CX = 52;
  return Dialog(
      ids::TEMPLATE, "Survey Setup", 114, 76,
      {Label(ids::SURVEY_LINE_LABEL, "Survey Line", LABEL_X, RowY(0) + 1, LABEL_CX),
       Edit(ids::SURVEY_LINE_EDIT, CONTROL_X, RowY(0), CONTROL_CX),
       Label(ids::LINE_INCREMENT_LABEL, "Line Increment", LABEL_X, RowY(1) + 1, LABEL_CX),
       Edit(ids::LINE_INCREMENT_EDIT, CONTROL_X, RowY(1), CONTROL_CX),
       Label(ids::SEQUENCE_LABEL, "Sequence", LABEL_X, RowY(2) + 1, LABEL_CX),
       List(ids::SEQUENCE_LIST, ChoiceTexts(LINE_SEQUENCES), CONTROL_X, RowY(2), CONTROL_CX, 40),
       Label(ids::DIRECTION_LABEL, "Direction", LABEL_X, RowY(3) + 1, LABEL_CX),
       List(ids::DIRECTION_LIST, ChoiceTexts(LINE_DIRECTIONS), CONTROL_X, RowY(3), CONTROL_CX, 56),
       Label(ids::START_STATION_LABEL, "Start Station", LABEL_X, RowY(4) + 1, LABEL_CX),
       Edit(ids::START_STATION_EDIT, CONTROL_X, RowY(4), CONTROL_CX),
       Label(ids::STATION_INCREMENT_LABEL, "Stn Increment", LABEL_X, RowY(5) + 1, LABEL_CX),
       Edit(ids::STATION_INCREMENT_EDIT, CONTROL_X, RowY(5), CONTROL_CX)});
}

DialogTemplate SystemSetup() {
  namespace ids = controls::system_setup;
  constexpr int LABEL_X = 4, LABEL_CX = 60, CONTROL_X = 68, CONTROL_CX = 62;
  return Dialog(
      ids::TEMPLATE, "System Setup", 134, 60,
      {Label(ids::SENSORS_LABEL, "MAG Sensors", LABEL_X, RowY(0) + 1, LABEL_CX),
       List(ids::INSTRUMENT_LIST, ChoiceTexts(DISABLED_ENABLED), CONTROL_X, RowY(0), CONTROL_CX,
            40),
       Label(ids::SENSOR_COUNT_LABEL, "# of Sensors", LABEL_X, RowY(1) + 1, LABEL_CX),
       List(ids::SENSOR_COUNT_LIST, ChoiceTexts(SENSOR_COUNTS), CONTROL_X, RowY(1), CONTROL_CX, 40),
       Label(ids::OFFSET_X_LABEL, "GPS X Offset", LABEL_X, RowY(2) + 1, LABEL_CX),
       Edit(ids::OFFSET_X_EDIT, CONTROL_X, RowY(2), CONTROL_CX),
       Label(ids::OFFSET_Y_LABEL, "GPS Y Offset", LABEL_X, RowY(3) + 1, LABEL_CX),
       Edit(ids::OFFSET_Y_EDIT, CONTROL_X, RowY(3), CONTROL_CX)});
}

DialogTemplate LoggerSetup() {
  namespace ids = controls::logger_setup;
  constexpr int LABEL_X = 4, LABEL_CX = 54, CONTROL_X = 60, CONTROL_CX = 66;
  return Dialog(
      ids::TEMPLATE, "Logger Setup", 130, 81,
      {Label(ids::PORT_LABEL, "GRAD601 Port", LABEL_X, RowY(0) + 1, LABEL_CX),
       List(ids::PORT_LIST, ChoiceTexts(COM_PORTS), CONTROL_X, RowY(0), CONTROL_CX, 70),
       Label(ids::UNITS_LABEL, "Units", LABEL_X, RowY(1) + 1, LABEL_CX),
       List(ids::UNITS_LIST, ChoiceTexts(DISTANCE_UNITS), CONTROL_X, RowY(1), CONTROL_CX, 48),
       Label(ids::SPEED_UNITS_LABEL, "Speed Units", LABEL_X, RowY(2) + 1, LABEL_CX),
       List(ids::SPEED_UNITS_LIST, ChoiceTexts(SPEED_UNITS), CONTROL_X, RowY(2), CONTROL_CX, 56),
       Label(ids::AUDIO_LABEL, "Audio", LABEL_X, RowY(3) + 1, LABEL_CX),
       List(ids::AUDIO_LIST, ChoiceTexts(AUDIO_CHOICES), CONTROL_X, RowY(3), CONTROL_CX, 40),
       Label(ids::PAUSE_KEY_LABEL, "Pause Key", LABEL_X, RowY(4) + 1, LABEL_CX),
       List(ids::PAUSE_KEY_LIST, ChoiceTexts(PAUSE_KEYS), CONTROL_X, RowY(4), CONTROL_CX, 56),
       Label(ids::DATA_STORAGE_LABEL, "Data Storage", LABEL_X, RowY(5) + 1, LABEL_CX),
       List(ids::DATA_STORAGE_LIST, ChoiceTexts(DATA_STORAGES), CONTROL_X, RowY(5), CONTROL_CX,
            40)});
}

DialogTemplate NewLine() {
  namespace ids = controls::new_line;
  constexpr int LABEL_X = 4, LABEL_CX = 50, CONTROL_X = 58, CONTROL_CX = 52;
  return Dialog(
      ids::TEMPLATE, "New Line", 114, 101,
      {Label(ids::CURRENT_LINE_LABEL, "Current Line:", LABEL_X, RowY(0) + 1, LABEL_CX),
       Label(ids::CURRENT_LINE_TEXT, "", CONTROL_X, RowY(0) + 1, CONTROL_CX),
       Label(ids::LAST_STATION_LABEL, "Last Station:", LABEL_X, RowY(1) + 1, LABEL_CX),
       Label(ids::LAST_STATION_TEXT, "", CONTROL_X, RowY(1) + 1, CONTROL_CX),
       Label(ids::NEW_LINE_LABEL, "New Line", LABEL_X, RowY(2) + 1, LABEL_CX),
       Edit(ids::NEW_LINE_EDIT, CONTROL_X, RowY(2), CONTROL_CX),
       Label(ids::LINE_INCREMENT_LABEL, "Line Increment", LABEL_X, RowY(3) + 1, LABEL_CX),
       Edit(ids::LINE_INCREMENT_EDIT, CONTROL_X, RowY(3), CONTROL_CX),
       Label(ids::SEQUENCE_LABEL, "Sequence", LABEL_X, RowY(4) + 1, LABEL_CX),
       List(ids::SEQUENCE_LIST, ChoiceTexts(LINE_SEQUENCES), CONTROL_X, RowY(4), CONTROL_CX, 40),
       Label(ids::DIRECTION_LABEL, "Direction", LABEL_X, RowY(5) + 1, LABEL_CX),
       List(ids::DIRECTION_LIST, ChoiceTexts(LINE_DIRECTIONS), CONTROL_X, RowY(5), CONTROL_CX, 56),
       Label(ids::START_STATION_LABEL, "Start Station", LABEL_X, RowY(6) + 1, LABEL_CX),
       Edit(ids::START_STATION_EDIT, CONTROL_X, RowY(6), CONTROL_CX),
       Label(ids::STATION_INCREMENT_LABEL, "Stn Increment", LABEL_X, RowY(7) + 1, LABEL_CX),
       Edit(ids::STATION_INCREMENT_EDIT, CONTROL_X, RowY(7), CONTROL_CX)});
}

DialogTemplate NewStation() {
  namespace ids = controls::new_station;
  constexpr int LABEL_X = 4, LABEL_CX = 50, CONTROL_X = 56, CONTROL_CX = 50;
  return Dialog(ids::TEMPLATE, "New Station", 110, 60,
                {Label(ids::START_STATION_LABEL, "Start Station:", LABEL_X, RowY(0) + 1, LABEL_CX),
                 Label(ids::START_STATION_TEXT, "", CONTROL_X, RowY(0) + 1, CONTROL_CX),
                 Label(ids::LAST_STATION_LABEL, "Last  Station:", LABEL_X, RowY(1) + 1, LABEL_CX),
                 Label(ids::LAST_STATION_TEXT, "", CONTROL_X, RowY(1) + 1, CONTROL_CX),
                 Label(ids::NEW_STATION_LABEL, "New  Station:", LABEL_X, RowY(2) + 1, LABEL_CX),
                 Edit(ids::NEW_STATION_EDIT, CONTROL_X, RowY(2), CONTROL_CX)});
}

DialogTemplate Comment() {
  namespace ids = controls::comment;
  return Dialog(ids::TEMPLATE, "Enter Comment", 94, 40,
                {Edit(ids::COMMENT_EDIT, 4, 4, 86),
                 CentredLabel(ids::LENGTH_NOTE, "Maximum 11 characters", 4, 20, 86)});
}

DialogTemplate MapScale() {
  namespace ids = controls::map_scale;
  return Dialog(
      ids::TEMPLATE, "Enter Map Scale", 120, 40,
      {Label(ids::SCALE_LABEL, "Map Scale:", 4, 7, 46), Edit(ids::SCALE_EDIT, 52, 6, 36),
       Label(ids::SCALE_UNITS_LABEL, "meters", 92, 7, 26),
       Label(ids::GRID_LABEL, "Grid Interval:", 4, 23, 46), Edit(ids::GRID_EDIT, 52, 22, 36),
       Label(ids::GRID_UNITS_LABEL, "meters", 92, 23, 26)});
}

DialogTemplate ProfileScale() {
  namespace ids = controls::profile_scale;
  return Dialog(
      ids::TEMPLATE, "Enter Scale", 90, 40,
      {Label(ids::MINIMUM_LABEL, "Minimum:", 4, 7, 36), Edit(ids::MINIMUM_EDIT, 42, 6, 44),
       Label(ids::MAXIMUM_LABEL, "Maximum:", 4, 23, 36), Edit(ids::MAXIMUM_EDIT, 42, 22, 44)});
}

DialogTemplate SpeedScale() {
  namespace ids = controls::speed_scale;
  return Dialog(
      ids::TEMPLATE, "Speed Bar Scale", 100, 44,
      {Label(ids::MAX_SPEED_LABEL, "Max Speed:", 4, 5, 40), Edit(ids::MAX_SPEED_EDIT, 48, 4, 48),
       CentredLabel(ids::UNITS_NOTE_FIRST_LINE, "Speed units as selected", 2, 22, 96, 8),
       CentredLabel(ids::UNITS_NOTE_SECOND_LINE, "in Logger Setup dialog", 2, 31, 96, 8)});
}

// Wider than the handheld's 176 units: our font needs the room for "RTS Trimble" and
// "AGPS (Raw)" in the closed lists.
DialogTemplate GpsPortSetup() {
  namespace ids = controls::gps_port_setup;
  constexpr int LIST_X = 44, LIST_CX = 56, MASK_X = 104, MASK_CX = 90, MASK_LIST_X = 140,
                MASK_LIST_CX = 54;
  std::vector<DialogItem> items{
      Label(ids::INPUT_LABEL, "GPS Input", 4, 3, 38),
      Label(ids::DATA_TYPE_LABEL, "NMEA Data", 4, 14, 40),
      Label(ids::PORT_LABEL, "Serial Port", 4, 25, 38),
      Label(ids::BAUD_LABEL, "Baud Rate", 4, 36, 38),
      Label(ids::PARITY_LABEL, "Parity", 4, 47, 38),
      Label(ids::DATA_BITS_LABEL, "Data Bits", 4, 58, 38),
      Label(ids::STOP_BITS_LABEL, "Stop Bits", 4, 69, 38),
      Label(ids::DISPLAY_RATE_LABEL, "Max GPS Display", 22, 87, 60),
      CentredLabel(ids::WARNING_MASK_LABEL, "Warning Mask", MASK_X, 3, MASK_CX),
      Label(ids::WARNING_LABEL, "Warning", MASK_X, 14, 34),
      Label(ids::QUALITY_LABEL, "Quality", MASK_X, 25, 34),
      Label(ids::DOP_LABEL, "PDOP", MASK_X, 36, 34),
      Label(ids::SATELLITES_LABEL, "Satellites", MASK_X, 47, 34),
      CentredLabel(ids::NOTE_FIRST_LINE, "If any of above not met", MASK_X, 58, MASK_CX, 8),
      CentredLabel(ids::NOTE_SECOND_LINE, "then GPS indicator", MASK_X, 66, MASK_CX, 8),
      CentredLabel(ids::NOTE_THIRD_LINE, "will blink in red", MASK_X, 74, MASK_CX, 8),
      List(ids::INPUT_LIST, ChoiceTexts(DISABLED_ENABLED), LIST_X, 2, LIST_CX, 60),
      List(ids::DATA_TYPE_LIST, ChoiceTexts(GPS_DATA_TYPES), LIST_X, 13, LIST_CX, 88),
      List(ids::PORT_LIST, ChoiceTexts(COM_PORTS), LIST_X, 24, LIST_CX, 66),
      List(ids::BAUD_LIST, ChoiceTexts(GPS_BAUD_RATES), LIST_X, 35, LIST_CX, 56),
      List(ids::PARITY_LIST, ChoiceTexts(GPS_PARITIES), LIST_X, 46, LIST_CX, 80),
      List(ids::DATA_BITS_LIST, ChoiceTexts(GPS_DATA_BITS), LIST_X, 57, LIST_CX, 60),
      List(ids::STOP_BITS_LIST, ChoiceTexts(GPS_STOP_BITS), LIST_X, 68, LIST_CX, 60),
      List(ids::DISPLAY_RATE_LIST, ChoiceTexts(GPS_DISPLAY_RATES), 84, 86, 44, 30),
      List(ids::WARNING_LIST, ChoiceTexts(DISABLED_ENABLED), MASK_LIST_X, 13, MASK_LIST_CX, 66),
      List(ids::QUALITY_LIST, ChoiceTexts(GPS_FIX_QUALITIES), MASK_LIST_X, 24, MASK_LIST_CX, 66),
      Edit(ids::DOP_EDIT, MASK_LIST_X, 35, MASK_LIST_CX),
      List(ids::SATELLITES_LIST, ChoiceTexts(GPS_WARN_SATELLITES), MASK_LIST_X, 46, MASK_LIST_CX,
           66),
  };
  return Dialog(ids::TEMPLATE, "GPS Port Setup", 198, 106, std::move(items));
}

DialogTemplate GpsWarningMask() {
  namespace ids = controls::gps_warning_mask;
  return Dialog(
      ids::TEMPLATE, "GPS Warning Mask", 108, 98,
      {Label(ids::WARNING_LABEL, "Warning", 10, 9, 34),
       Label(ids::QUALITY_LABEL, "Quality", 10, 21, 34), Label(ids::DOP_LABEL, "PDOP", 10, 33, 34),
       Label(ids::SATELLITES_LABEL, "Satellites", 10, 45, 34),
       CentredLabel(ids::NOTE_FIRST_LINE, "If any of above not met", 4, 62, 100, 8),
       CentredLabel(ids::NOTE_SECOND_LINE, "then GPS indicator", 4, 70, 100, 8),
       CentredLabel(ids::NOTE_THIRD_LINE, "will blink in red", 4, 78, 100, 8),
       List(ids::WARNING_LIST, ChoiceTexts(DISABLED_ENABLED), 46, 8, 54, 66),
       List(ids::QUALITY_LIST, ChoiceTexts(GPS_FIX_QUALITIES), 46, 20, 54, 66),
       Edit(ids::DOP_EDIT, 46, 32, 54),
       List(ids::SATELLITES_LIST, ChoiceTexts(GPS_WARN_SATELLITES), 46, 44, 54, 56)});
}

DialogTemplate GpsMessage() {
  namespace ids = controls::gps_message;
  DialogItem message = Edit(ids::MESSAGE_EDIT, 5, 5, 120);
  message.rect.cy = 14;
  return Dialog(ids::TEMPLATE, "GPS Message", 130, 40,
                {std::move(message),
                 CentredLabel(ids::PROMPT_LABEL, "Enter GPS message to be send", 5, 24, 120)});
}

DialogTemplate AsciiFileSetup() {
  namespace ids = controls::ascii_file;
  return Dialog(
      ids::TEMPLATE, "ASCII File Parameters", 120, 80,
      {Label(ids::LONGITUDE_LABEL, "Longitude", 17, 8, 36),
       Label(ids::LATITUDE_LABEL, "Latitude", 17, 19, 36),
       Label(ids::DELIMITER_LABEL, "Delimiter", 17, 30, 36),
       CentredLabel(ids::NOTE_FIRST_LINE, "Assumed that file contains", 5, 45, 110, 8),
       CentredLabel(ids::NOTE_SECOND_LINE, "Longitide/Latitude coordinates", 5, 53, 110, 8),
       CentredLabel(ids::NOTE_THIRD_LINE, "in WGS1984 datum", 5, 61, 110, 8),
       List(ids::LONGITUDE_LIST, ChoiceTexts(ASCII_COLUMNS), 57, 7, 50, 99),
       List(ids::LATITUDE_LIST, ChoiceTexts(ASCII_COLUMNS), 57, 18, 50, 90),
       List(ids::DELIMITER_LIST, ChoiceTexts(ASCII_DELIMITERS), 57, 29, 50, 90)});
}

}  // namespace

void RegisterDialogTemplates() {
  for (DialogTemplate dialog : {SurveySetup(), SystemSetup(), LoggerSetup(), NewLine(),
                                NewStation(), Comment(), MapScale(), ProfileScale(), SpeedScale(),
                                GpsPortSetup(), GpsWarningMask(), GpsMessage(), AsciiFileSetup()})
    platform::RegisterDialogTemplate(std::move(dialog));
}

}  // namespace gradlog
