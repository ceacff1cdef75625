#include "dialogs/GpsPortSetupDialog.h"

#include <array>

#include "common/SafeConvert.h"
#include "config/DerivedSettings.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "gps/SentenceSelection.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char GPS_PORT_SETUP_TEMPLATE[] = "GetGPSPortSetup";
constexpr char GPS_WARNING_MASK_TEMPLATE[] = "GetGPSWarningMask";

constexpr int INPUT_LIST = 719;
constexpr int DATA_TYPE_LIST = 720;
constexpr int DISPLAY_RATE_LIST = 730;
constexpr std::array<int, 4> LABEL_IDS{920, 921, 922, 923};
constexpr int WARNING_LIST = 924;
constexpr int QUALITY_LIST = 925;
constexpr int PDOP_EDIT = 926;
constexpr int SATELLITES_LIST = 927;

constexpr std::int32_t FEWEST_SATELLITES = 3;  // the first entry of list 927
constexpr std::size_t PDOP_TEXT_MAX = 32;
constexpr std::int32_t GPS_INPUT_ENABLED = 1;

// Both dialogs close with 0 whichever way they end: their callers ask for no result.
constexpr int GPS_DIALOG_RESULT = 0;

constexpr std::string_view NA = "N/A";

// The rows 920, 921, 923, and 922 in either dialog, by gpsDataType in the order of list 720.
struct LabelRow {
  std::string_view warning;
  std::string_view quality;
  std::string_view satellites;
  std::string_view dopInPortSetup;
  std::string_view dopInWarningMask;
};

constexpr LabelRow NO_MASK{NA, NA, NA, NA, NA};

constexpr std::array<LabelRow, 9> LABEL_ROWS{{
    {"Warning", "Quality", "Satellites", "PDOP", "PDOP"},               // GGA/GSA
    {"Warning", "Quality", "Satellites", "HDOP", "HDOP"},               // GGA
    {"Warning", "Quality", "Satellites", "PDOP", "PDOP"},               // POS
    {"Warning", "Quality", "Satellites", "GDOP", "GDOP"},               // LLK
    {"Warning", "Quality", "Satellites", "Quality m", "Quality in m"},  // LLQ
    NO_MASK,                                                            // GLL
    {"Warning", "Quality", "Satellites", "DOP", "DOP"},                 // GGK
    NO_MASK,                                                            // Leica TPS
    NO_MASK,                                                            // RTS Trimble
}};

// The serial line and display rate of "GPS Port Setup", in the order of its lists.
constexpr std::array<SettingsList, 6> PORT_LISTS{{
    {721, &SurveySettings::gpsPort},
    {722, &SurveySettings::gpsBaud},
    {723, &SurveySettings::gpsParity},
    {724, &SurveySettings::gpsDataBits},
    {725, &SurveySettings::gpsStopBits},
    {DISPLAY_RATE_LIST, &SurveySettings::gpsDisplayRate},
}};

void SetWarningLabels(Hwnd dialog, std::int32_t dataType, bool inWarningMaskDialog) {
  const std::array<std::string_view, 4> labels = WarningLabels(dataType, inWarningMaskDialog);
  for (std::size_t i = 0; i < LABEL_IDS.size(); ++i)
    SetDlgItemText(dialog, LABEL_IDS[i], labels[i]);
}

void FillWarningMask(const SurveySettings& s, Hwnd dialog, bool inWarningMaskDialog) {
  SetWarningLabels(dialog, s.gpsDataType, inWarningMaskDialog);
  SelectListEntry(dialog, WARNING_LIST, s.gpsWarning);
  SelectListEntry(dialog, QUALITY_LIST, s.gpsWarnQuality);
  SelectListEntry(dialog, SATELLITES_LIST,
                  ClampToInt32(std::int64_t{s.gpsWarnSatellites} - FEWEST_SATELLITES));
  SetDlgItemFixed(dialog, PDOP_EDIT, s.gpsWarnPdop, 1);
}

void StoreWarningMask(SurveySettings& s, Hwnd dialog) {
  StoreListSelection(dialog, WARNING_LIST, s.gpsWarning);
  StoreListSelection(dialog, QUALITY_LIST, s.gpsWarnQuality);
  s.gpsWarnPdop = ReadFloat(GetDlgItemText(dialog, PDOP_EDIT), PDOP_TEXT_MAX);
  StoreListSelection(dialog, SATELLITES_LIST, s.gpsWarnSatellites, FEWEST_SATELLITES);
}

void FillPortSetup(const SurveySettings& s, Hwnd dialog) {
  SelectListEntry(dialog, INPUT_LIST, s.gpsInput);
  SelectListEntry(dialog, DATA_TYPE_LIST, s.gpsDataType);
  SelectSettingsLists(dialog, PORT_LISTS, s);
  FillWarningMask(s, dialog, false);
}

// The labels follow the data type being chosen, before OK.
void FollowDataType(Hwnd dialog, int id, std::uint16_t) {
  if (id == DATA_TYPE_LIST)
    SetWarningLabels(dialog, ListSelection(dialog, DATA_TYPE_LIST), false);
}

void StorePortSetup(ConfigState& config, GpsState& gps, DisplayState& display, Hwnd dialog) {
  SurveySettings& s = config.settings;
  StoreListSelection(dialog, INPUT_LIST, s.gpsInput);
  display.mapViewShown = s.gpsInput == GPS_INPUT_ENABLED ? 1 : 0;
  StoreListSelection(dialog, DATA_TYPE_LIST, s.gpsDataType);
  // The total station sends label records, not sentences: its reader needs no table.
  if (s.gpsDataType != GPS_DATA_TYPE_RTS_TRIMBLE)
    SelectGpsSentence(gps.sentence, s.gpsDataType);
  StoreSettingsLists(dialog, PORT_LISTS, s);
  config.gpsDisplayIntervalMs = GpsDisplayIntervalMs(s.gpsDisplayRate);
  StoreWarningMask(s, dialog);
}

}  // namespace

std::array<std::string_view, 4> WarningLabels(std::int32_t dataType, bool inWarningMaskDialog) {
  const bool known = dataType >= 0 && static_cast<std::size_t>(dataType) < LABEL_ROWS.size();
  const LabelRow& row = known ? LABEL_ROWS[static_cast<std::size_t>(dataType)] : NO_MASK;
  return {row.warning, row.quality, inWarningMaskDialog ? row.dopInWarningMask : row.dopInPortSetup,
          row.satellites};
}

std::optional<int> RunGpsPortSetupDialog(ConfigState& config, GpsState& gps, DisplayState& display,
                                         Hwnd owner) {
  return RunModalDialog(GPS_PORT_SETUP_TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { FillPortSetup(config.settings, dialog); },
                         .store =
                             [&](Hwnd dialog) {
                               StorePortSetup(config, gps, display, dialog);
                               SaveSettings(config);
                               return GPS_DIALOG_RESULT;
                             },
                         .notified = FollowDataType});
}

std::optional<int> RunGpsWarningMaskDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(
      GPS_WARNING_MASK_TEMPLATE, owner,
      {.fill = [&config](Hwnd dialog) { FillWarningMask(config.settings, dialog, true); },
       .store =
           [&config](Hwnd dialog) {
             StoreWarningMask(config.settings, dialog);
             SaveSettings(config);
             return GPS_DIALOG_RESULT;
           }});
}

}  // namespace gradlog
