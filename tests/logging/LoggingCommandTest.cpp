#include "logging/LoggingCommand.h"

#include <gtest/gtest.h>

#include "logging/ConnectionWatchdog.h"

namespace gradlog {
namespace {

using platform::WPARAM;

struct PauseCase {
  std::int32_t pauseKey;
  WPARAM key;
  bool pauses;
};

TEST(LoggingKeys, WhileRecordingOnlyThePauseKeyOfTheSettingActs) {
  const PauseCase cases[] = {
      {0, 'S', true},
      {0, platform::VK_RETURN, true},
      {1, platform::VK_SPACE, true},
      {1, platform::VK_RETURN, false},
      {2, platform::VK_RETURN, true},
      {2, 'P', false},
      {3, 'P', true},
      {3, 'p', true},
      {3, 'S', false},
      {3, 'X', false},
      {7, 'P', false},
  };
  for (const PauseCase& c : cases) {
    const auto command = CommandForKey(c.key, 1, c.pauseKey);
    EXPECT_EQ(command.has_value(), c.pauses) << "pauseKey " << c.pauseKey << " key " << c.key;
    EXPECT_EQ(command.value_or(LoggingCommand::Row0), LoggingCommand::Row0);
  }
}

struct KeyCase {
  WPARAM key;
  std::int32_t state;
  std::optional<LoggingCommand> command;
};

TEST(LoggingKeys, LettersCountInBothCasesAndOnlyInTheirState) {
  const KeyCase cases[] = {
      {'F', 0, LoggingCommand::Row0},
      {'f', 0, LoggingCommand::Row0},
      {'F', -1, std::nullopt},
      {'G', -1, LoggingCommand::Row0},
      {'g', 0, std::nullopt},
      {'C', -1, LoggingCommand::Comment},
      {'C', 0, std::nullopt},
      {'L', -1, LoggingCommand::NewLine},
      {'n', -1, LoggingCommand::NewStation},
      {'Q', -1, LoggingCommand::Row1},
      {'Q', 0, std::nullopt},
      {'U', 0, LoggingCommand::Row1},
      {'u', -1, std::nullopt},
      {'x', 0, LoggingCommand::Row2},
      {'M', -1, LoggingCommand::Row3},
      {'r', 0, LoggingCommand::ProfileOptions},
      {'T', -1, LoggingCommand::ToggleView},
      {'Z', -1, std::nullopt},
      {platform::VK_TAB, 0, LoggingCommand::NextButton},
      {platform::VK_UP, -1, LoggingCommand::PreviousButton},
      {platform::VK_RETURN, -1, LoggingCommand::HighlightedRow},
  };
  for (const KeyCase& c : cases)
    EXPECT_EQ(CommandForKey(c.key, c.state, 3), c.command)
        << "key " << c.key << " state " << c.state;
}

TEST(LoggingKeys, MenuIdsOfBothMenuFamiliesAndButtonRows) {
  EXPECT_EQ(CommandForId(45), LoggingCommand::ScaleMap);
  EXPECT_EQ(CommandForId(72), LoggingCommand::ScaleMap);
  EXPECT_EQ(CommandForId(58), LoggingCommand::ProfileOptions);
  EXPECT_EQ(CommandForId(84), LoggingCommand::ProfileOptions);
  EXPECT_EQ(CommandForId(82), LoggingCommand::HideMenu);
  EXPECT_EQ(CommandForId(460), LoggingCommand::Row0);
  EXPECT_EQ(CommandForId(463), LoggingCommand::Row3);
  EXPECT_EQ(CommandForId(464), std::nullopt);
  EXPECT_EQ(ResolveRow(LoggingCommand::Row1, 0), LoggingCommand::ScaleMap);
  EXPECT_EQ(ResolveRow(LoggingCommand::Row1, -1), LoggingCommand::Row1);
}

TEST(ConnectionWatchdog, SilenceIsMeasuredAcrossTheTickWrap) {
  EXPECT_FALSE(IsSilent(1000 + 2000, 1000, 2000));
  EXPECT_TRUE(IsSilent(1000 + 2001, 1000, 2000));
  // The last reading just before the wrap, now just after it: 512 ms, no break.
  EXPECT_FALSE(IsSilent(0x100, 0xFFFFFF00u, 2000));
  EXPECT_TRUE(IsSilent(0x800, 0xFFFFFF00u, 2000));
}

}  // namespace
}  // namespace gradlog
