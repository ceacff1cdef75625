#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/SurveySettings.h"
#include "datafile/Record.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

// The records of a data file built from plain values; nothing here touches a file or a clock.
// Numbers wider than their field push what follows to the right and the record is cut to 26
// characters, as the fixed printf formats of the file produce them; only the counts of the end
// records keep their six places (taken modulo 1000000), so their tick stamps never move.

// UTF-8 as the file's 8-bit text: a code point up to 0xFF becomes that byte, any other code
// point (and every malformed byte) '?'. At most `maxCharacters` characters are kept.
std::string ToEightBitText(std::string_view utf8, std::size_t maxCharacters);

// Header 1: the format magic ("GPS" with position input, "GRD" without), units, station mode
// and sensor count.
Record FormatFormatRecord(const SurveySettings& settings);
// Header 2: 'H', the data file name in 9 characters and the interval of the station mode.
Record FormatNameRecord(const SurveySettings& settings, std::string_view dataFileName);
// Header 3: 'G', the GPS antenna offsets, display rate, data type and input.
Record FormatPositioningRecord(const SurveySettings& settings, float gpsOffsetX, float gpsOffsetY);

// 'L': the survey line.
Record FormatLineRecord(std::string_view surveyLine);
// 'B': the start station of the line.
Record FormatStartStationRecord(double startStation);
// 'A': the direction letter and the station increment.
Record FormatDirectionRecord(std::int32_t lineDirection, float currentStationIncrement);
// 'Z': the local date and time to the second.
Record FormatDateTimeRecord(const platform::LocalTime& now);
// '*': the local time to the millisecond beside the tick count read just before it.
Record FormatClockRecord(const platform::LocalTime& now, std::uint32_t tick);
// 'S': a station entered by the operator.
Record FormatStationRecord(double currentStation, std::uint32_t tick);
// 'C' or 'X' (`marker`): UTF-8 `text` cut to 11 characters.
Record FormatTextRecord(char marker, std::string_view text, std::uint32_t tick);

// The records holding `text` in pieces of 25 characters: `first` before the first piece,
// `continuation` before each further one, the last piece padded with spaces. An empty text
// gives one blank first record. The end record is not among them.
std::vector<Record> SplitIntoGroupPieces(std::string_view text, char first, char continuation);
// The end record of a reading: the reading's number in the run (modulo 1000000) and its tick.
Record FormatReadingEndRecord(char end, std::int32_t readingCount, std::uint32_t tick);
// The end record of a sentence: the GPS record count (modulo 1000000), the status character
// and its tick.
Record FormatSentenceEndRecord(char end, std::int32_t recordCount, char status, std::uint32_t tick);

}  // namespace gradlog
