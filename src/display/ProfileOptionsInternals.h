#pragma once

// The pieces the profile options window's files share: its controls, its layout and the
// actions its input table runs.

#include <cstdint>

#include "platform/ui/Window.h"

namespace gradlog {

struct ConfigState;
struct DisplayState;

// What every handler of the window works on.
struct ProfileOptionsContext {
  ConfigState& config;
  DisplayState& display;
};

inline constexpr char PROFILE_OPTIONS_CLASS[] = "DisplayOptionsWnd";

// Control ids.
inline constexpr int PROFILE_OPTIONS_AMPLITUDE_ID = 770;
inline constexpr int PROFILE_OPTIONS_FIRST_CHANNEL_ID = 310;    // " G1", then " G2"
inline constexpr int PROFILE_OPTIONS_FIRST_THICKNESS_ID = 320;  // "&1" to "&5"
inline constexpr int PROFILE_OPTIONS_SHOWN_ID = 331;
inline constexpr int PROFILE_OPTIONS_OK_ID = 332;
inline constexpr int PROFILE_OPTIONS_CANCEL_ID = 333;
inline constexpr int PROFILE_OPTIONS_HELP_ID = 334;
inline constexpr int PROFILE_OPTIONS_COLOR_ID = 335;

// The channels offered (G1 and G2) and the thicknesses, 1 to 5 pixels.
inline constexpr int PROFILE_OPTIONS_CHANNELS = 2;
inline constexpr int PROFILE_OPTIONS_THICKNESSES = 5;

// Keyboard focus: the two channel buttons, then OK, Cancel and Help.
inline constexpr std::int32_t FOCUS_FIRST_CHANNEL = 1;
inline constexpr std::int32_t FOCUS_LAST_CHANNEL = 2;
inline constexpr std::int32_t FOCUS_OK = 7;
inline constexpr std::int32_t FOCUS_CANCEL = 8;
inline constexpr std::int32_t FOCUS_HELP = 9;

// Focus inside the channel frame: 0 to 4 the thickness buttons, then these two.
inline constexpr std::int32_t SUB_FOCUS_SHOWN = 5;
inline constexpr std::int32_t SUB_FOCUS_COLOR = 6;

// Layout, in client pixels.
inline constexpr int LEFT_COLUMN_X = 20;
inline constexpr int FIRST_ROW_Y = 86;
inline constexpr int ROW_STEP = 20;
inline constexpr int SHOWN_MARK_X = 80;
inline constexpr int RIGHT_FRAME_X = 200;
inline constexpr int RIGHT_FRAME_WIDTH = 100;
inline constexpr int FRAME_TOP = 48;
inline constexpr int NAME_Y = 52;

inline int RowTop(int channel) {
  return FIRST_ROW_Y + ROW_STEP * channel;
}
// Where a row's "Y" stands when the channel is shown.
inline platform::Rect ShownMarkBox(int channel) {
  return {SHOWN_MARK_X, RowTop(channel) + 8, SHOWN_MARK_X + 15, RowTop(channel) + 22};
}
// The box of a row's sample line.
inline platform::Rect SampleBox(int channel) {
  return {102, RowTop(channel) + 6, 192, RowTop(channel) + 24};
}
// The selected channel's name over the right frame.
inline platform::Rect NameBox() {
  return {RIGHT_FRAME_X + 2, NAME_Y, RIGHT_FRAME_X + RIGHT_FRAME_WIDTH - 2, NAME_Y + 14};
}

// Window message handlers.
platform::LRESULT OnProfileOptionsCreate(ProfileOptionsContext& context,
                                         const platform::Message& message);
platform::LRESULT OnProfileOptionsPaint(ProfileOptionsContext& context,
                                        const platform::Message& message);
platform::LRESULT OnProfileOptionsInput(ProfileOptionsContext& context,
                                        const platform::Message& message);

// Actions on the selected channel and the focus.
void SelectProfileChannel(ProfileOptionsContext& context, int channel);
void SetProfileThickness(ProfileOptionsContext& context, int thickness);
void ToggleProfileShown(ProfileOptionsContext& context);
void MoveProfileSubFocus(ProfileOptionsContext& context, int step);
void MoveProfileFocusOn(ProfileOptionsContext& context);
void ChooseProfileColor(ProfileOptionsContext& context);
void ShowProfileOptionsHelp(ProfileOptionsContext& context);
void AcceptProfileOptions(ProfileOptionsContext& context);
void CancelProfileOptions(ProfileOptionsContext& context);

// The channel's name as the window shows it: "Sensor #1" or "Sensor #2".
const char* ProfileChannelName(int channel);

}  // namespace gradlog
