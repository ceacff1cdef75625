#include "resources/DialogTemplates.h"

#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

namespace {

using platform::DialogItem;
using platform::DialogTemplate;

constexpr std::uint32_t LIST_STYLE =
    platform::CBS_DROPDOWNLIST | platform::WS_TABSTOP | platform::WS_VSCROLL;
constexpr std::uint32_t EDIT_STYLE =
    platform::WS_BORDER | platform::WS_TABSTOP | platform::ES_AUTOHSCROLL;

DialogItem Label(int id, std::string text, int x, int y, int cx, int cy = 10) {
  return {.className = "STATIC",
          .text = std::move(text),
          .id = id,
          .style = platform::SS_LEFT,
          .rect = {x, y, cx, cy}};
}

DialogItem CentredLabel(int id, std::string text, int x, int y, int cx, int cy = 10) {
  DialogItem item = Label(id, std::move(text), x, y, cx, cy);
  item.style = platform::SS_CENTER;
  return item;
}

DialogItem Edit(int id, int x, int y, int cx) {
  return {.className = "edit", .id = id, .style = EDIT_STYLE, .rect = {x, y, cx, 11}};
}

// A drop-down list; `cy` includes the opened list.
DialogItem List(int id, std::vector<std::string> entries, int x, int y, int cx, int cy) {
  return {.className = "combobox",
          .id = id,
          .style = LIST_STYLE,
          .rect = {x, y, cx, cy},
          .entries = std::move(entries)};
}

// Every dialog is a captioned pop-up with the OK button in its caption bar.
DialogTemplate Dialog(std::string name, std::string title, int cx, int cy,
                      std::vector<DialogItem> items) {
  return {.name = std::move(name),
          .title = std::move(title),
          .cx = cx,
          .cy = cy,
          .exStyle = platform::WS_EX_CAPTIONOKBTN,
          .items = std::move(items)};
}

std::vector<std::string> Numbered(const std::string& prefix, int first, int last,
                                  const std::string& suffix = "") {
  std::vector<std::string> entries;
  for (int n = first; n <= last; ++n)
    entries.push_back(prefix + std::to_string(n) + suffix);
  return entries;
}

const std::vector<std::string> SEQUENCES{"Alternate", "One Way"};
const std::vector<std::string> DIRECTIONS{"West", "South", "North", "East"};
const std::vector<std::string> DISABLED_ENABLED{"Disabled", "Enabled"};
const std::vector<std::string> FIX_QUALITIES{"AGPS (Raw)", "DGPS", "RTK 3", "RTK 4", "RTK 5"};

// Rows of the dialogs laid out here: a label column and a control column, 12 units apart.
constexpr int ROW = 12;
int RowY(int row) {
  return 4 + row * ROW;
}

DialogTemplate SurveySetup() {
  constexpr int LABEL_X = 4, LABEL_CX = 50, CONTROL_X = 58, CONTROL_CX = 52;
  return Dialog("GETSURVEYSETUPBAR", "Survey Setup", 114, 76,
                {Label(604, "Survey Line", LABEL_X, RowY(0) + 1, LABEL_CX),
                 Edit(624, CONTROL_X, RowY(0), CONTROL_CX),
                 Label(605, "Line Increment", LABEL_X, RowY(1) + 1, LABEL_CX),
                 Edit(625, CONTROL_X, RowY(1), CONTROL_CX),
                 Label(606, "Sequence", LABEL_X, RowY(2) + 1, LABEL_CX),
                 List(626, SEQUENCES, CONTROL_X, RowY(2), CONTROL_CX, 40),
                 Label(607, "Direction", LABEL_X, RowY(3) + 1, LABEL_CX),
                 List(627, DIRECTIONS, CONTROL_X, RowY(3), CONTROL_CX, 56),
                 Label(608, "Start Station", LABEL_X, RowY(4) + 1, LABEL_CX),
                 Edit(628, CONTROL_X, RowY(4), CONTROL_CX),
                 Label(609, "Stn Increment", LABEL_X, RowY(5) + 1, LABEL_CX),
                 Edit(629, CONTROL_X, RowY(5), CONTROL_CX)});
}

DialogTemplate SystemSetup() {
  constexpr int LABEL_X = 4, LABEL_CX = 60, CONTROL_X = 68, CONTROL_CX = 62;
  return Dialog("GETSYSTEMSETUP31", "System Setup", 134, 60,
                {Label(820, "MAG Sensors", LABEL_X, RowY(0) + 1, LABEL_CX),
                 List(830, DISABLED_ENABLED, CONTROL_X, RowY(0), CONTROL_CX, 40),
                 Label(821, "# of Sensors", LABEL_X, RowY(1) + 1, LABEL_CX),
                 List(831, {"1 Sensor", "2 Sensors"}, CONTROL_X, RowY(1), CONTROL_CX, 40),
                 Label(823, "GPS X Offset", LABEL_X, RowY(2) + 1, LABEL_CX),
                 Edit(833, CONTROL_X, RowY(2), CONTROL_CX),
                 Label(824, "GPS Y Offset", LABEL_X, RowY(3) + 1, LABEL_CX),
                 Edit(834, CONTROL_X, RowY(3), CONTROL_CX)});
}

DialogTemplate LoggerSetup() {
  constexpr int LABEL_X = 4, LABEL_CX = 54, CONTROL_X = 60, CONTROL_CX = 66;
  return Dialog(
      "GETLOGGERSETUP", "Logger Setup", 130, 81,
      {Label(801, "GRAD601 Port", LABEL_X, RowY(0) + 1, LABEL_CX),
       List(810, Numbered("COM", 1, 12, ":"), CONTROL_X, RowY(0), CONTROL_CX, 70),
       Label(802, "Units", LABEL_X, RowY(1) + 1, LABEL_CX),
       List(811, {"meters", "feet", "US Survey Feet"}, CONTROL_X, RowY(1), CONTROL_CX, 48),
       Label(803, "Speed Units", LABEL_X, RowY(2) + 1, LABEL_CX),
       List(812, {"meters/s", "feet/s", "km/h", "mph"}, CONTROL_X, RowY(2), CONTROL_CX, 56),
       Label(804, "Audio", LABEL_X, RowY(3) + 1, LABEL_CX),
       List(813, {"Yes", "No"}, CONTROL_X, RowY(3), CONTROL_CX, 40),
       Label(805, "Pause Key", LABEL_X, RowY(4) + 1, LABEL_CX),
       List(814, {"any key", "<Space Bar>", "<Enter>", "<S>"}, CONTROL_X, RowY(4), CONTROL_CX, 56),
       Label(806, "Data Storage", LABEL_X, RowY(5) + 1, LABEL_CX),
       List(815, {"C_Drive", "Storage Card"}, CONTROL_X, RowY(5), CONTROL_CX, 40)});
}

DialogTemplate NewLine() {
  constexpr int LABEL_X = 4, LABEL_CX = 50, CONTROL_X = 58, CONTROL_CX = 52;
  return Dialog("GETNEWLINE", "New Line", 114, 101,
                {Label(650, "Current Line:", LABEL_X, RowY(0) + 1, LABEL_CX),
                 Label(651, "", CONTROL_X, RowY(0) + 1, CONTROL_CX),
                 Label(652, "Last Station:", LABEL_X, RowY(1) + 1, LABEL_CX),
                 Label(653, "", CONTROL_X, RowY(1) + 1, CONTROL_CX),
                 Label(654, "New Line", LABEL_X, RowY(2) + 1, LABEL_CX),
                 Edit(674, CONTROL_X, RowY(2), CONTROL_CX),
                 Label(655, "Line Increment", LABEL_X, RowY(3) + 1, LABEL_CX),
                 Edit(675, CONTROL_X, RowY(3), CONTROL_CX),
                 Label(656, "Sequence", LABEL_X, RowY(4) + 1, LABEL_CX),
                 List(676, SEQUENCES, CONTROL_X, RowY(4), CONTROL_CX, 40),
                 Label(657, "Direction", LABEL_X, RowY(5) + 1, LABEL_CX),
                 List(677, DIRECTIONS, CONTROL_X, RowY(5), CONTROL_CX, 56),
                 Label(658, "Start Station", LABEL_X, RowY(6) + 1, LABEL_CX),
                 Edit(678, CONTROL_X, RowY(6), CONTROL_CX),
                 Label(659, "Stn Increment", LABEL_X, RowY(7) + 1, LABEL_CX),
                 Edit(679, CONTROL_X, RowY(7), CONTROL_CX)});
}

DialogTemplate NewStation() {
  constexpr int LABEL_X = 4, LABEL_CX = 50, CONTROL_X = 56, CONTROL_CX = 50;
  return Dialog("GETNEWSTATION", "New Station", 110, 60,
                {Label(860, "Start Station:", LABEL_X, RowY(0) + 1, LABEL_CX),
                 Label(863, "", CONTROL_X, RowY(0) + 1, CONTROL_CX),
                 Label(861, "Last  Station:", LABEL_X, RowY(1) + 1, LABEL_CX),
                 Label(864, "", CONTROL_X, RowY(1) + 1, CONTROL_CX),
                 Label(862, "New  Station:", LABEL_X, RowY(2) + 1, LABEL_CX),
                 Edit(865, CONTROL_X, RowY(2), CONTROL_CX)});
}

DialogTemplate Comment() {
  return Dialog("GETCOMMENT", "Enter Comment", 94, 40,
                {Edit(851, 4, 4, 86), CentredLabel(850, "Maximum 11 characters", 4, 20, 86)});
}

DialogTemplate MapScale() {
  return Dialog("GETNEWMAPSCALE", "Enter Map Scale", 120, 40,
                {Label(846, "Map Scale:", 4, 7, 46), Edit(848, 52, 6, 36),
                 Label(836, "meters", 92, 7, 26), Label(847, "Grid Interval:", 4, 23, 46),
                 Edit(849, 52, 22, 36), Label(837, "meters", 92, 23, 26)});
}

DialogTemplate ProfileScale() {
  return Dialog("GETNEWPROFILESCALE", "Enter Scale", 90, 40,
                {Label(781, "Minimum:", 4, 7, 36), Edit(783, 42, 6, 44),
                 Label(782, "Maximum:", 4, 23, 36), Edit(784, 42, 22, 44)});
}

DialogTemplate SpeedScale() {
  return Dialog("GETNEWSPEEDSCALE", "Speed Bar Scale", 100, 44,
                {Label(902, "Max Speed:", 4, 5, 40), Edit(903, 48, 4, 48),
                 CentredLabel(900, "Speed units as selected", 2, 22, 96, 8),
                 CentredLabel(901, "in Logger Setup dialog", 2, 31, 96, 8)});
}

// Wider than the handheld's 176 units: our font needs the room for "RTS Trimble" and
// "AGPS (Raw)" in the closed lists.
DialogTemplate GpsPortSetup() {
  constexpr int LIST_X = 44, LIST_CX = 56, MASK_X = 104, MASK_CX = 90, MASK_LIST_X = 140,
                MASK_LIST_CX = 54;
  std::vector<DialogItem> items{
      Label(700, "GPS Input", 4, 3, 38),
      Label(701, "NMEA Data", 4, 14, 40),
      Label(702, "Serial Port", 4, 25, 38),
      Label(703, "Baud Rate", 4, 36, 38),
      Label(704, "Parity", 4, 47, 38),
      Label(705, "Data Bits", 4, 58, 38),
      Label(706, "Stop Bits", 4, 69, 38),
      Label(708, "Max GPS Display", 22, 87, 60),
      CentredLabel(707, "Warning Mask", MASK_X, 3, MASK_CX),
      Label(920, "Warning", MASK_X, 14, 34),
      Label(921, "Quality", MASK_X, 25, 34),
      Label(922, "PDOP", MASK_X, 36, 34),
      Label(923, "Satellites", MASK_X, 47, 34),
      CentredLabel(928, "If any of above not met", MASK_X, 58, MASK_CX, 8),
      CentredLabel(929, "then GPS indicator", MASK_X, 66, MASK_CX, 8),
      CentredLabel(930, "will blink in red", MASK_X, 74, MASK_CX, 8),
      List(719, DISABLED_ENABLED, LIST_X, 2, LIST_CX, 60),
      List(720, {"GGA/GSA", "GGA", "POS", "LLK", "LLQ", "GLL", "GGK", "Leica TPS", "RTS Trimble"},
           LIST_X, 13, LIST_CX, 88),
      List(721, Numbered("COM", 1, 12, ":"), LIST_X, 24, LIST_CX, 66),
      List(722, {"4800", "9600", "19200", "38400", "57600", "115200"}, LIST_X, 35, LIST_CX, 56),
      List(723, {"No", "Even", "Odd"}, LIST_X, 46, LIST_CX, 80),
      List(724, {"7", "8"}, LIST_X, 57, LIST_CX, 60),
      List(725, {"1", "2"}, LIST_X, 68, LIST_CX, 60),
      List(730, {"1 Hz", "2 Hz"}, 84, 86, 44, 30),
      List(924, DISABLED_ENABLED, MASK_LIST_X, 13, MASK_LIST_CX, 66),
      List(925, FIX_QUALITIES, MASK_LIST_X, 24, MASK_LIST_CX, 66),
      Edit(926, MASK_LIST_X, 35, MASK_LIST_CX),
      List(927, Numbered("", 3, 12), MASK_LIST_X, 46, MASK_LIST_CX, 66),
  };
  return Dialog("GETGPSPORTSETUP", "GPS Port Setup", 198, 106, std::move(items));
}

DialogTemplate GpsWarningMask() {
  return Dialog(
      "GETGPSWARNINGMASK", "GPS Warning Mask", 108, 98,
      {Label(920, "Warning", 10, 9, 34), Label(921, "Quality", 10, 21, 34),
       Label(922, "PDOP", 10, 33, 34), Label(923, "Satellites", 10, 45, 34),
       CentredLabel(928, "If any of above not met", 4, 62, 100, 8),
       CentredLabel(929, "then GPS indicator", 4, 70, 100, 8),
       CentredLabel(930, "will blink in red", 4, 78, 100, 8),
       List(924, DISABLED_ENABLED, 46, 8, 54, 66), List(925, FIX_QUALITIES, 46, 20, 54, 66),
       Edit(926, 46, 32, 54), List(927, Numbered("", 3, 12), 46, 44, 54, 56)});
}

DialogTemplate GpsMessage() {
  return Dialog("GETGPSMESSAGE", "GPS Message", 130, 40,
                {{.className = "edit", .id = 854, .style = EDIT_STYLE, .rect = {5, 5, 120, 14}},
                 CentredLabel(853, "Enter GPS message to be send", 5, 24, 120)});
}

DialogTemplate AsciiFileSetup() {
  const std::vector<std::string> columns = Numbered("Column ", 1, 10);
  return Dialog("GETASCIIFILESETUP", "ASCII File Parameters", 120, 80,
                {Label(880, "Longitude", 17, 8, 36), Label(881, "Latitude", 17, 19, 36),
                 Label(882, "Delimiter", 17, 30, 36),
                 CentredLabel(884, "Assumed that file contains", 5, 45, 110, 8),
                 CentredLabel(885, "Longitide/Latitude coordinates", 5, 53, 110, 8),
                 CentredLabel(886, "in WGS1984 datum", 5, 61, 110, 8),
                 List(887, columns, 57, 7, 50, 99), List(888, columns, 57, 18, 50, 90),
                 List(889, {"Space", "Comma", "Tab", "Semicolon"}, 57, 29, 50, 90)});
}

}  // namespace

void RegisterDialogTemplates() {
  for (DialogTemplate dialog : {SurveySetup(), SystemSetup(), LoggerSetup(), NewLine(),
                                NewStation(), Comment(), MapScale(), ProfileScale(), SpeedScale(),
                                GpsPortSetup(), GpsWarningMask(), GpsMessage(), AsciiFileSetup()})
    platform::RegisterDialogTemplate(std::move(dialog));
}

}  // namespace gradlog
