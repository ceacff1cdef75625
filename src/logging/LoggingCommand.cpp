#include "logging/LoggingCommand.h"

#include <array>

namespace gradlog {

namespace {

using platform::WPARAM;

enum class OnlyIn { Any, NoFile, StandingBy };

struct KeyCommand {
  char letter;  // upper case; its code and the code 0x20 above it
  LoggingCommand command;
  OnlyIn state;
};

constexpr std::array<KeyCommand, 19> LETTER_KEYS{{
    {'A', LoggingCommand::MapOptions, OnlyIn::Any},
    {'B', LoggingCommand::SpeedBar, OnlyIn::Any},
    {'C', LoggingCommand::Comment, OnlyIn::StandingBy},
    {'E', LoggingCommand::ExternalFile, OnlyIn::Any},
    {'F', LoggingCommand::Row0, OnlyIn::NoFile},
    {'G', LoggingCommand::Row0, OnlyIn::StandingBy},
    {'H', LoggingCommand::HideMenu, OnlyIn::Any},
    {'I', LoggingCommand::AsciiFile, OnlyIn::Any},
    {'L', LoggingCommand::NewLine, OnlyIn::StandingBy},
    {'M', LoggingCommand::Row3, OnlyIn::Any},
    {'N', LoggingCommand::NewStation, OnlyIn::StandingBy},
    {'P', LoggingCommand::ScaleProfile, OnlyIn::Any},
    {'Q', LoggingCommand::Row1, OnlyIn::StandingBy},
    {'R', LoggingCommand::ProfileOptions, OnlyIn::Any},
    {'S', LoggingCommand::ScaleMap, OnlyIn::Any},
    {'T', LoggingCommand::ToggleView, OnlyIn::Any},
    {'U', LoggingCommand::Row1, OnlyIn::NoFile},
    {'W', LoggingCommand::GpsWarning, OnlyIn::Any},
    {'X', LoggingCommand::Row2, OnlyIn::Any},
}};

struct IdCommand {
  int id;
  LoggingCommand command;
};

// Menus with a data file use the first ids, menus without one the second.
constexpr std::array<IdCommand, 23> MENU_IDS{{
    {42, LoggingCommand::NewLine},        {43, LoggingCommand::NewStation},
    {44, LoggingCommand::Comment},        {45, LoggingCommand::ScaleMap},
    {72, LoggingCommand::ScaleMap},       {46, LoggingCommand::ScaleProfile},
    {73, LoggingCommand::ScaleProfile},   {57, LoggingCommand::MapOptions},
    {83, LoggingCommand::MapOptions},     {58, LoggingCommand::ProfileOptions},
    {84, LoggingCommand::ProfileOptions}, {60, LoggingCommand::SpeedBar},
    {85, LoggingCommand::SpeedBar},       {63, LoggingCommand::GpsWarning},
    {88, LoggingCommand::GpsWarning},     {49, LoggingCommand::ToggleView},
    {76, LoggingCommand::ToggleView},     {53, LoggingCommand::ExternalFile},
    {79, LoggingCommand::ExternalFile},   {54, LoggingCommand::AsciiFile},
    {80, LoggingCommand::AsciiFile},      {56, LoggingCommand::HideMenu},
    {82, LoggingCommand::HideMenu},
}};

bool IsPauseKey(WPARAM key, std::int32_t pauseKey) {
  switch (pauseKey) {
    case 0:
      return true;
    case 1:
      return key == platform::VK_SPACE;
    case 2:
      return key == platform::VK_RETURN;
    case 3:
      return key == 'P' || key == 'p';
    default:
      return false;
  }
}

bool AllowedIn(OnlyIn only, std::int32_t recordingState) {
  switch (only) {
    case OnlyIn::NoFile:
      return recordingState == 0;
    case OnlyIn::StandingBy:
      return recordingState == -1;
    case OnlyIn::Any:
      return true;
  }
  return false;
}

}  // namespace

std::optional<LoggingCommand> CommandForKey(WPARAM key, std::int32_t recordingState,
                                            std::int32_t pauseKey) {
  if (recordingState == 1) {
    if (IsPauseKey(key, pauseKey))
      return LoggingCommand::Row0;
    return std::nullopt;
  }
  switch (key) {
    case platform::VK_TAB:
    case platform::VK_RIGHT:
    case platform::VK_DOWN:
      return LoggingCommand::NextButton;
    case platform::VK_LEFT:
    case platform::VK_UP:
      return LoggingCommand::PreviousButton;
    case platform::VK_RETURN:
      return LoggingCommand::HighlightedRow;
    default:
      break;
  }
  for (const KeyCommand& entry : LETTER_KEYS) {
    const auto upper = static_cast<WPARAM>(entry.letter);
    if (key == upper || key == upper + 0x20)
      return AllowedIn(entry.state, recordingState) ? std::optional(entry.command) : std::nullopt;
  }
  return std::nullopt;
}

std::optional<LoggingCommand> CommandForId(int id) {
  for (const IdCommand& entry : MENU_IDS) {
    if (entry.id == id)
      return entry.command;
  }
  return RowCommand(id - FIRST_LOGGING_BUTTON_ID);
}

std::optional<LoggingCommand> RowCommand(int row) {
  static constexpr std::array<LoggingCommand, LOGGING_BUTTON_COUNT> ROWS{
      LoggingCommand::Row0, LoggingCommand::Row1, LoggingCommand::Row2, LoggingCommand::Row3};
  if (row < 0 || row >= LOGGING_BUTTON_COUNT)
    return std::nullopt;
  return ROWS[static_cast<std::size_t>(row)];
}

LoggingCommand ResolveRow(LoggingCommand command, std::int32_t recordingState) {
  if (command == LoggingCommand::Row1 && recordingState == 0)
    return LoggingCommand::ScaleMap;
  return command;
}

}  // namespace gradlog
