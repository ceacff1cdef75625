#pragma once

#include <array>
#include <string_view>

namespace gradlog::controls {

enum class ControlClass { Label, Edit, List };

// A control of a dialog template: its id, and the kind of control the template makes for it.
struct ControlId {
  int id;
  ControlClass controlClass;
  // The dialog calls take the bare id.
  constexpr operator int() const { return id; }
};

constexpr ControlId LabelId(int id) {
  return {id, ControlClass::Label};
}
constexpr ControlId EditId(int id) {
  return {id, ControlClass::Edit};
}
constexpr ControlId ListId(int id) {
  return {id, ControlClass::List};
}

// One namespace per dialog: its template's name, the ids of its controls, and CONTROLS, every
// control its template makes.

namespace survey_setup {
inline constexpr std::string_view TEMPLATE = "GETSURVEYSETUPBAR";
inline constexpr ControlId SURVEY_LINE_LABEL = LabelId(604);
inline constexpr ControlId LINE_INCREMENT_LABEL = LabelId(605);
inline constexpr ControlId SEQUENCE_LABEL = LabelId(606);
inline constexpr ControlId DIRECTION_LABEL = LabelId(607);
inline constexpr ControlId START_STATION_LABEL = LabelId(608);
inline constexpr ControlId STATION_INCREMENT_LABEL = LabelId(609);
inline constexpr ControlId SURVEY_LINE_EDIT = EditId(624);
inline constexpr ControlId LINE_INCREMENT_EDIT = EditId(625);
inline constexpr ControlId SEQUENCE_LIST = ListId(626);
inline constexpr ControlId DIRECTION_LIST = ListId(627);
inline constexpr ControlId START_STATION_EDIT = EditId(628);
inline constexpr ControlId STATION_INCREMENT_EDIT = EditId(629);
inline constexpr std::array CONTROLS{
    SURVEY_LINE_LABEL,   LINE_INCREMENT_LABEL,    SEQUENCE_LABEL,     DIRECTION_LABEL,
    START_STATION_LABEL, STATION_INCREMENT_LABEL, SURVEY_LINE_EDIT,   LINE_INCREMENT_EDIT,
    SEQUENCE_LIST,       DIRECTION_LIST,          START_STATION_EDIT, STATION_INCREMENT_EDIT};
}  // namespace survey_setup

namespace system_setup {
inline constexpr std::string_view TEMPLATE = "GETSYSTEMSETUP31";
inline constexpr ControlId SENSORS_LABEL = LabelId(820);
inline constexpr ControlId SENSOR_COUNT_LABEL = LabelId(821);
inline constexpr ControlId OFFSET_X_LABEL = LabelId(823);
inline constexpr ControlId OFFSET_Y_LABEL = LabelId(824);
inline constexpr ControlId INSTRUMENT_LIST = ListId(830);
inline constexpr ControlId SENSOR_COUNT_LIST = ListId(831);
inline constexpr ControlId OFFSET_X_EDIT = EditId(833);
inline constexpr ControlId OFFSET_Y_EDIT = EditId(834);
inline constexpr std::array CONTROLS{SENSORS_LABEL,  SENSOR_COUNT_LABEL, OFFSET_X_LABEL,
                                     OFFSET_Y_LABEL, INSTRUMENT_LIST,    SENSOR_COUNT_LIST,
                                     OFFSET_X_EDIT,  OFFSET_Y_EDIT};
}  // namespace system_setup

namespace logger_setup {
inline constexpr std::string_view TEMPLATE = "GETLOGGERSETUP";
inline constexpr ControlId PORT_LABEL = LabelId(801);
inline constexpr ControlId UNITS_LABEL = LabelId(802);
inline constexpr ControlId SPEED_UNITS_LABEL = LabelId(803);
inline constexpr ControlId AUDIO_LABEL = LabelId(804);
inline constexpr ControlId PAUSE_KEY_LABEL = LabelId(805);
inline constexpr ControlId DATA_STORAGE_LABEL = LabelId(806);
inline constexpr ControlId PORT_LIST = ListId(810);
inline constexpr ControlId UNITS_LIST = ListId(811);
inline constexpr ControlId SPEED_UNITS_LIST = ListId(812);
inline constexpr ControlId AUDIO_LIST = ListId(813);
inline constexpr ControlId PAUSE_KEY_LIST = ListId(814);
inline constexpr ControlId DATA_STORAGE_LIST = ListId(815);
inline constexpr std::array CONTROLS{
    PORT_LABEL, UNITS_LABEL, SPEED_UNITS_LABEL, AUDIO_LABEL, PAUSE_KEY_LABEL, DATA_STORAGE_LABEL,
    PORT_LIST,  UNITS_LIST,  SPEED_UNITS_LIST,  AUDIO_LIST,  PAUSE_KEY_LIST,  DATA_STORAGE_LIST};
}  // namespace logger_setup

namespace new_line {
inline constexpr std::string_view TEMPLATE = "GETNEWLINE";
inline constexpr ControlId CURRENT_LINE_LABEL = LabelId(650);
inline constexpr ControlId CURRENT_LINE_TEXT = LabelId(651);
inline constexpr ControlId LAST_STATION_LABEL = LabelId(652);
inline constexpr ControlId LAST_STATION_TEXT = LabelId(653);
inline constexpr ControlId NEW_LINE_LABEL = LabelId(654);
inline constexpr ControlId LINE_INCREMENT_LABEL = LabelId(655);
inline constexpr ControlId SEQUENCE_LABEL = LabelId(656);
inline constexpr ControlId DIRECTION_LABEL = LabelId(657);
inline constexpr ControlId START_STATION_LABEL = LabelId(658);
inline constexpr ControlId STATION_INCREMENT_LABEL = LabelId(659);
inline constexpr ControlId NEW_LINE_EDIT = EditId(674);
inline constexpr ControlId LINE_INCREMENT_EDIT = EditId(675);
inline constexpr ControlId SEQUENCE_LIST = ListId(676);
inline constexpr ControlId DIRECTION_LIST = ListId(677);
inline constexpr ControlId START_STATION_EDIT = EditId(678);
inline constexpr ControlId STATION_INCREMENT_EDIT = EditId(679);
inline constexpr std::array CONTROLS{
    CURRENT_LINE_LABEL,  CURRENT_LINE_TEXT,       LAST_STATION_LABEL, LAST_STATION_TEXT,
    NEW_LINE_LABEL,      LINE_INCREMENT_LABEL,    SEQUENCE_LABEL,     DIRECTION_LABEL,
    START_STATION_LABEL, STATION_INCREMENT_LABEL, NEW_LINE_EDIT,      LINE_INCREMENT_EDIT,
    SEQUENCE_LIST,       DIRECTION_LIST,          START_STATION_EDIT, STATION_INCREMENT_EDIT};
}  // namespace new_line

namespace new_station {
inline constexpr std::string_view TEMPLATE = "GETNEWSTATION";
inline constexpr ControlId START_STATION_LABEL = LabelId(860);
inline constexpr ControlId LAST_STATION_LABEL = LabelId(861);
inline constexpr ControlId NEW_STATION_LABEL = LabelId(862);
inline constexpr ControlId START_STATION_TEXT = LabelId(863);
inline constexpr ControlId LAST_STATION_TEXT = LabelId(864);
inline constexpr ControlId NEW_STATION_EDIT = EditId(865);
inline constexpr std::array CONTROLS{START_STATION_LABEL, LAST_STATION_LABEL, NEW_STATION_LABEL,
                                     START_STATION_TEXT,  LAST_STATION_TEXT,  NEW_STATION_EDIT};
}  // namespace new_station

namespace comment {
inline constexpr std::string_view TEMPLATE = "GETCOMMENT";
inline constexpr ControlId LENGTH_NOTE = LabelId(850);
inline constexpr ControlId COMMENT_EDIT = EditId(851);
inline constexpr std::array CONTROLS{LENGTH_NOTE, COMMENT_EDIT};
}  // namespace comment

namespace map_scale {
inline constexpr std::string_view TEMPLATE = "GETNEWMAPSCALE";
inline constexpr ControlId SCALE_UNITS_LABEL = LabelId(836);
inline constexpr ControlId GRID_UNITS_LABEL = LabelId(837);
inline constexpr ControlId SCALE_LABEL = LabelId(846);
inline constexpr ControlId GRID_LABEL = LabelId(847);
inline constexpr ControlId SCALE_EDIT = EditId(848);
inline constexpr ControlId GRID_EDIT = EditId(849);
inline constexpr std::array CONTROLS{SCALE_UNITS_LABEL, GRID_UNITS_LABEL, SCALE_LABEL,
                                     GRID_LABEL,        SCALE_EDIT,       GRID_EDIT};
}  // namespace map_scale

namespace profile_scale {
inline constexpr std::string_view TEMPLATE = "GETNEWPROFILESCALE";
inline constexpr ControlId MINIMUM_LABEL = LabelId(781);
inline constexpr ControlId MAXIMUM_LABEL = LabelId(782);
inline constexpr ControlId MINIMUM_EDIT = EditId(783);
inline constexpr ControlId MAXIMUM_EDIT = EditId(784);
inline constexpr std::array CONTROLS{MINIMUM_LABEL, MAXIMUM_LABEL, MINIMUM_EDIT, MAXIMUM_EDIT};
}  // namespace profile_scale

namespace speed_scale {
inline constexpr std::string_view TEMPLATE = "GETNEWSPEEDSCALE";
inline constexpr ControlId UNITS_NOTE_FIRST_LINE = LabelId(900);
inline constexpr ControlId UNITS_NOTE_SECOND_LINE = LabelId(901);
inline constexpr ControlId MAX_SPEED_LABEL = LabelId(902);
inline constexpr ControlId MAX_SPEED_EDIT = EditId(903);
inline constexpr std::array CONTROLS{UNITS_NOTE_FIRST_LINE, UNITS_NOTE_SECOND_LINE, MAX_SPEED_LABEL,
                                     MAX_SPEED_EDIT};
}  // namespace speed_scale

// Also part of "GPS Port Setup", with the same ids, so that one procedure fills both.
namespace gps_warning_mask {
inline constexpr std::string_view TEMPLATE = "GETGPSWARNINGMASK";
inline constexpr ControlId WARNING_LABEL = LabelId(920);
inline constexpr ControlId QUALITY_LABEL = LabelId(921);
inline constexpr ControlId DOP_LABEL = LabelId(922);
inline constexpr ControlId SATELLITES_LABEL = LabelId(923);
inline constexpr ControlId WARNING_LIST = ListId(924);
inline constexpr ControlId QUALITY_LIST = ListId(925);
inline constexpr ControlId DOP_EDIT = EditId(926);
inline constexpr ControlId SATELLITES_LIST = ListId(927);
inline constexpr ControlId NOTE_FIRST_LINE = LabelId(928);
inline constexpr ControlId NOTE_SECOND_LINE = LabelId(929);
inline constexpr ControlId NOTE_THIRD_LINE = LabelId(930);
inline constexpr std::array CONTROLS{
    WARNING_LABEL, QUALITY_LABEL,   DOP_LABEL,       SATELLITES_LABEL, WARNING_LIST,   QUALITY_LIST,
    DOP_EDIT,      SATELLITES_LIST, NOTE_FIRST_LINE, NOTE_SECOND_LINE, NOTE_THIRD_LINE};
}  // namespace gps_warning_mask

namespace gps_port_setup {
using namespace gps_warning_mask;
inline constexpr std::string_view TEMPLATE = "GETGPSPORTSETUP";
inline constexpr ControlId INPUT_LABEL = LabelId(700);
inline constexpr ControlId DATA_TYPE_LABEL = LabelId(701);
inline constexpr ControlId PORT_LABEL = LabelId(702);
inline constexpr ControlId BAUD_LABEL = LabelId(703);
inline constexpr ControlId PARITY_LABEL = LabelId(704);
inline constexpr ControlId DATA_BITS_LABEL = LabelId(705);
inline constexpr ControlId STOP_BITS_LABEL = LabelId(706);
inline constexpr ControlId WARNING_MASK_LABEL = LabelId(707);
inline constexpr ControlId DISPLAY_RATE_LABEL = LabelId(708);
inline constexpr ControlId INPUT_LIST = ListId(719);
inline constexpr ControlId DATA_TYPE_LIST = ListId(720);
inline constexpr ControlId PORT_LIST = ListId(721);
inline constexpr ControlId BAUD_LIST = ListId(722);
inline constexpr ControlId PARITY_LIST = ListId(723);
inline constexpr ControlId DATA_BITS_LIST = ListId(724);
inline constexpr ControlId STOP_BITS_LIST = ListId(725);
inline constexpr ControlId DISPLAY_RATE_LIST = ListId(730);
inline constexpr std::array CONTROLS{
    INPUT_LABEL,      DATA_TYPE_LABEL,   PORT_LABEL,         BAUD_LABEL,         PARITY_LABEL,
    DATA_BITS_LABEL,  STOP_BITS_LABEL,   WARNING_MASK_LABEL, DISPLAY_RATE_LABEL, INPUT_LIST,
    DATA_TYPE_LIST,   PORT_LIST,         BAUD_LIST,          PARITY_LIST,        DATA_BITS_LIST,
    STOP_BITS_LIST,   DISPLAY_RATE_LIST, WARNING_LABEL,      QUALITY_LABEL,      DOP_LABEL,
    SATELLITES_LABEL, WARNING_LIST,      QUALITY_LIST,       DOP_EDIT,           SATELLITES_LIST,
    NOTE_FIRST_LINE,  NOTE_SECOND_LINE,  NOTE_THIRD_LINE};
}  // namespace gps_port_setup

namespace gps_message {
inline constexpr std::string_view TEMPLATE = "GETGPSMESSAGE";
inline constexpr ControlId PROMPT_LABEL = LabelId(853);
inline constexpr ControlId MESSAGE_EDIT = EditId(854);
inline constexpr std::array CONTROLS{PROMPT_LABEL, MESSAGE_EDIT};
}  // namespace gps_message

namespace ascii_file {
inline constexpr std::string_view TEMPLATE = "GETASCIIFILESETUP";
inline constexpr ControlId LONGITUDE_LABEL = LabelId(880);
inline constexpr ControlId LATITUDE_LABEL = LabelId(881);
inline constexpr ControlId DELIMITER_LABEL = LabelId(882);
inline constexpr ControlId NOTE_FIRST_LINE = LabelId(884);
inline constexpr ControlId NOTE_SECOND_LINE = LabelId(885);
inline constexpr ControlId NOTE_THIRD_LINE = LabelId(886);
inline constexpr ControlId LONGITUDE_LIST = ListId(887);
inline constexpr ControlId LATITUDE_LIST = ListId(888);
inline constexpr ControlId DELIMITER_LIST = ListId(889);
inline constexpr std::array CONTROLS{LONGITUDE_LABEL, LATITUDE_LABEL,   DELIMITER_LABEL,
                                     NOTE_FIRST_LINE, NOTE_SECOND_LINE, NOTE_THIRD_LINE,
                                     LONGITUDE_LIST,  LATITUDE_LIST,    DELIMITER_LIST};
}  // namespace ascii_file

}  // namespace gradlog::controls
