#pragma once

#include <cstdint>
#include <optional>

#include "platform/ui/Messages.h"

namespace gradlog {

// What a button, menu item or key of the logging window asks for.
enum class LoggingCommand {
  Row0,  // "&File", "&Go" or "Pause", by the recording state
  Row1,  // "Map&Scale" or "&QLine"
  Row2,  // "E&xit"
  Row3,  // "&Menu"
  NewLine,
  NewStation,
  Comment,
  ScaleMap,
  ScaleProfile,
  MapOptions,
  ProfileOptions,
  SpeedBar,
  GpsWarning,
  ToggleView,
  ExternalFile,
  AsciiFile,
  HideMenu,
  NextButton,
  PreviousButton,
  HighlightedRow,
};

inline constexpr int FIRST_LOGGING_BUTTON_ID = 460;
inline constexpr int LOGGING_BUTTON_COUNT = 4;

// A key of WM_KEYDOWN in `recordingState`; while recording only the pause key chosen by the
// `pauseKey` setting counts (0 any key, 1 Space, 2 Enter, 3 P).
std::optional<LoggingCommand> CommandForKey(platform::WPARAM key, std::int32_t recordingState,
                                            std::int32_t pauseKey);

// A WM_COMMAND id: a menu item, else a button row (460 + row).
std::optional<LoggingCommand> CommandForId(int id);

// The command of button row 0..3.
std::optional<LoggingCommand> RowCommand(int row);

// Row 1 without a data file is the map's rescale.
LoggingCommand ResolveRow(LoggingCommand command, std::int32_t recordingState);

}  // namespace gradlog
