#include "dialogs/GpsPortSetupDialog.h"

#include <array>

#include "config/DerivedSettings.h"
#include "config/SettingChoices.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "gps/SentenceSelection.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace port_ids = controls::gps_port_setup;
namespace mask_ids = controls::gps_warning_mask;

// In the order WarningLabels gives their texts.
constexpr std::array<int, 4> LABEL_IDS{mask_ids::WARNING_LABEL, mask_ids::QUALITY_LABEL,
                                       mask_ids::DOP_LABEL, mask_ids::SATELLITES_LABEL};

constexpr std::size_t PDOP_TEXT_MAX = 32;

// Both dialogs close with 0 whichever way they end: their callers ask for no result.
constexpr int GPS_DIALOG_RESULT = 0;

constexpr std::string_view NA = "N/A";

// The rows of the warning mask in either dialog, by gpsDataType.
struct LabelRow {
  std::string_view warning;
  std::string_view quality;
  std::string_view satellites;
  std::string_view dopInPortSetup;
  std::string_view dopInWarningMask;
};

constexpr LabelRow NO_MASK{NA, NA, NA, NA, NA};

constexpr std::array<LabelRow, GPS_DATA_TYPES.size()> LABEL_ROWS{{
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
    {port_ids::PORT_LIST, &SurveySettings::gpsPort},
    {port_ids::BAUD_LIST, &SurveySettings::gpsBaud},
    {port_ids::PARITY_LIST, &SurveySettings::gpsParity},
    {port_ids::DATA_BITS_LIST, &SurveySettings::gpsDataBits},
    {port_ids::STOP_BITS_LIST, &SurveySettings::gpsStopBits},
    {port_ids::DISPLAY_RATE_LIST, &SurveySettings::gpsDisplayRate},
}};

void SetWarningLabels(Hwnd dialog, std::int32_t dataType, bool inWarningMaskDialog) {
  const std::array<std::string_view, 4> labels = WarningLabels(dataType, inWarningMaskDialog);
  for (std::size_t i = 0; i < LABEL_IDS.size(); ++i)
    SetDlgItemText(dialog, LABEL_IDS[i], labels[i]);
}

void FillWarningMask(const SurveySettings& s, Hwnd dialog, bool inWarningMaskDialog) {
  SetWarningLabels(dialog, s.gpsDataType, inWarningMaskDialog);
  SelectListEntry(dialog, mask_ids::WARNING_LIST, s.gpsWarning);
  SelectListEntry(dialog, mask_ids::QUALITY_LIST, s.gpsWarnQuality);
  SelectListValue(dialog, mask_ids::SATELLITES_LIST, GPS_WARN_SATELLITES, s.gpsWarnSatellites);
  SetDlgItemFixed(dialog, mask_ids::DOP_EDIT, s.gpsWarnPdop, 1);
}

void StoreWarningMask(SurveySettings& s, Hwnd dialog) {
  StoreListSelection(dialog, mask_ids::WARNING_LIST, s.gpsWarning);
  StoreListSelection(dialog, mask_ids::QUALITY_LIST, s.gpsWarnQuality);
  s.gpsWarnPdop = ReadFloat(GetDlgItemText(dialog, mask_ids::DOP_EDIT), PDOP_TEXT_MAX);
  StoreListValue(dialog, mask_ids::SATELLITES_LIST, GPS_WARN_SATELLITES, s.gpsWarnSatellites);
}

void FillPortSetup(const SurveySettings& s, Hwnd dialog) {
  SelectListEntry(dialog, port_ids::INPUT_LIST, s.gpsInput);
  SelectListEntry(dialog, port_ids::DATA_TYPE_LIST, s.gpsDataType);
  SelectSettingsLists(dialog, PORT_LISTS, s);
  FillWarningMask(s, dialog, false);
}

// The labels follow the data type being chosen, before OK.
void FollowDataType(Hwnd dialog, int id, std::uint16_t) {
  if (id == port_ids::DATA_TYPE_LIST)
    SetWarningLabels(dialog, ListSelection(dialog, port_ids::DATA_TYPE_LIST), false);
}

void StorePortSetup(ConfigState& config, GpsState& gps, DisplayState& display, Hwnd dialog) {
  SurveySettings& s = config.settings;
  StoreListSelection(dialog, port_ids::INPUT_LIST, s.gpsInput);
  display.mapViewShown = s.gpsInput == CHOICE_ENABLED ? 1 : 0;
  StoreListSelection(dialog, port_ids::DATA_TYPE_LIST, s.gpsDataType);
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
  return RunModalDialog(port_ids::TEMPLATE, owner,
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
      mask_ids::TEMPLATE, owner,
      {.fill = [&config](Hwnd dialog) { FillWarningMask(config.settings, dialog, true); },
       .store =
           [&config](Hwnd dialog) {
             StoreWarningMask(config.settings, dialog);
             SaveSettings(config);
             return GPS_DIALOG_RESULT;
           }});
}

}  // namespace gradlog
