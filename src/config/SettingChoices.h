#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/Choice.h"
#include "config/SurveySettings.h"
#include "platform/sys/SerialPort.h"

namespace gradlog {

// The drop-down lists whose entries the settings store, in list order. The dialog templates
// show them and every table that reads a stored index is made from them, so a list and its
// readers cannot disagree. Comments name the settings fields that store each one.

// instrumentEnabled, gpsInput, gpsWarning
inline constexpr std::array<std::string_view, 2> DISABLED_ENABLED{"Disabled", "Enabled"};
inline constexpr std::int32_t CHOICE_ENABLED = ChoiceIndex(DISABLED_ENABLED, "Enabled");

// gradSensorCount stores the count itself.
inline constexpr std::array<Choice<std::int32_t>, 2> SENSOR_COUNTS{{
    {1, "1 Sensor"},
    {2, "2 Sensors"},
}};

// instrumentPort, gpsPort: index 0 is COM1.
inline constexpr NumberedChoices COM_PORTS{.first = 1, .count = 12, .prefix = "COM", .suffix = ":"};

// distanceUnits
inline constexpr std::array<std::string_view, 3> DISTANCE_UNITS{"meters", "feet", "US Survey Feet"};
inline constexpr std::int32_t DISTANCE_UNITS_METERS = ChoiceIndex(DISTANCE_UNITS, "meters");

// speedUnits
inline constexpr std::array<std::string_view, 4> SPEED_UNITS{"meters/s", "feet/s", "km/h", "mph"};

// audio
inline constexpr std::array<std::string_view, 2> AUDIO_CHOICES{"Yes", "No"};

// pauseKey
inline constexpr std::array<std::string_view, 4> PAUSE_KEYS{"any key", "<Space Bar>", "<Enter>",
                                                            "<S>"};

// dataStorage
inline constexpr std::array<std::string_view, 2> DATA_STORAGES{"C_Drive", "Storage Card"};
inline constexpr std::int32_t DATA_STORAGE_C_DRIVE = ChoiceIndex(DATA_STORAGES, "C_Drive");
inline constexpr std::int32_t DATA_STORAGE_CARD = ChoiceIndex(DATA_STORAGES, "Storage Card");

// lineSequence
inline constexpr std::array<std::string_view, 2> LINE_SEQUENCES{"Alternate", "One Way"};
inline constexpr std::int32_t LINE_SEQUENCE_ALTERNATE = ChoiceIndex(LINE_SEQUENCES, "Alternate");

// lineDirection
inline constexpr std::array<std::string_view, 4> LINE_DIRECTIONS{"West", "South", "North", "East"};
inline constexpr std::int32_t LINE_DIRECTION_WEST = ChoiceIndex(LINE_DIRECTIONS, "West");
inline constexpr std::int32_t LINE_DIRECTION_SOUTH = ChoiceIndex(LINE_DIRECTIONS, "South");
inline constexpr std::int32_t LINE_DIRECTION_NORTH = ChoiceIndex(LINE_DIRECTIONS, "North");
inline constexpr std::int32_t LINE_DIRECTION_EAST = ChoiceIndex(LINE_DIRECTIONS, "East");

// gpsDataType
inline constexpr std::array<std::string_view, 9> GPS_DATA_TYPES{
    "GGA/GSA", "GGA", "POS", "LLK", "LLQ", "GLL", "GGK", "Leica TPS", "RTS Trimble"};
static_assert(GPS_DATA_TYPE_RTS_TRIMBLE == ChoiceIndex(GPS_DATA_TYPES, "RTS Trimble"));

// gpsBaud, gpsParity, gpsDataBits, gpsStopBits: the GPS serial line.
inline constexpr std::array<Choice<std::uint32_t>, 6> GPS_BAUD_RATES{{
    {4800, "4800"},
    {9600, "9600"},
    {19200, "19200"},
    {38400, "38400"},
    {57600, "57600"},
    {115200, "115200"},
}};
inline constexpr std::array<Choice<platform::Parity>, 3> GPS_PARITIES{{
    {platform::Parity::None, "No"},
    {platform::Parity::Even, "Even"},
    {platform::Parity::Odd, "Odd"},
}};
inline constexpr std::array<Choice<int>, 2> GPS_DATA_BITS{{
    {7, "7"},
    {8, "8"},
}};
inline constexpr std::array<Choice<platform::StopBits>, 2> GPS_STOP_BITS{{
    {platform::StopBits::One, "1"},
    {platform::StopBits::Two, "2"},
}};

// gpsDisplayRate
inline constexpr std::array<std::string_view, 2> GPS_DISPLAY_RATES{"1 Hz", "2 Hz"};

// gpsWarnQuality
inline constexpr std::array<std::string_view, 5> GPS_FIX_QUALITIES{"AGPS (Raw)", "DGPS", "RTK 3",
                                                                   "RTK 4", "RTK 5"};

// gpsWarnSatellites stores the count itself.
inline constexpr std::array<Choice<std::int32_t>, 10> GPS_WARN_SATELLITES{{
    {3, "3"},
    {4, "4"},
    {5, "5"},
    {6, "6"},
    {7, "7"},
    {8, "8"},
    {9, "9"},
    {10, "10"},
    {11, "11"},
    {12, "12"},
}};

// asciiLongitudeColumn, asciiLatitudeColumn: index 0 is the first column.
inline constexpr NumberedChoices ASCII_COLUMNS{.first = 1, .count = 10, .prefix = "Column "};

// asciiDelimiter
inline constexpr std::array<std::string_view, 4> ASCII_DELIMITERS{"Space", "Comma", "Tab",
                                                                  "Semicolon"};

}  // namespace gradlog
