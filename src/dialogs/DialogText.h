#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "config/Choice.h"
#include "config/SurveySettings.h"
#include "platform/ui/Window.h"

namespace gradlog {

// Edit controls are read as at most this many characters of decimal text.
inline constexpr std::size_t NUMBER_TEXT_MAX = 31;

// The leading decimal number of `text` (cut to `maxCharacters`). Text that does not start
// with one, and a number too large to hold, read as 0: hexadecimal, "inf" and "nan" are no
// decimal text, and an infinite station or scale would poison every later computation.
double ReadNumber(std::string_view text, std::size_t maxCharacters = NUMBER_TEXT_MAX);
// The same, brought into the float range (a float conversion of a larger value is undefined).
float ReadFloat(std::string_view text, std::size_t maxCharacters = NUMBER_TEXT_MAX);
// The leading decimal integer, clamped to the int32 range; anything else reads as 0.
std::int32_t ReadInteger(std::string_view text);

// `value` written with `decimals` places, as "%.<decimals>f".
std::string FormatFixed(double value, int decimals);

double GetDlgItemNumber(platform::Hwnd dialog, int id);
float GetDlgItemFloat(platform::Hwnd dialog, int id);
std::int32_t GetDlgItemInteger(platform::Hwnd dialog, int id);
// The survey line typed into an edit: its first SURVEY_LINE_MAX characters.
std::string GetDlgItemSurveyLine(platform::Hwnd dialog, int id);
void SetDlgItemFixed(platform::Hwnd dialog, int id, double value, int decimals);
void SetDlgItemInteger(platform::Hwnd dialog, int id, std::int32_t value);

// Drop-down lists come filled from the template; a dialog only selects and reads. An index
// outside the list (a hand-edited settings file) selects nothing.
void SelectListEntry(platform::Hwnd dialog, int id, std::int32_t index);
// The selected index into `field`. With nothing selected the field keeps its value rather
// than taking -1.
void StoreListSelection(platform::Hwnd dialog, int id, std::int32_t& field);
// The selected index, -1 when nothing is selected.
std::int32_t ListSelection(platform::Hwnd dialog, int id);

// A list whose entries stand for values that a setting stores itself: the entry of `value`
// is selected (none when no entry has it), and the selected entry's value is stored.
template <typename T, std::size_t N>
void SelectListValue(platform::Hwnd dialog, int id, const std::array<Choice<T>, N>& choices,
                     T value) {
  SelectListEntry(dialog, id, ChoiceIndexOf(choices, value));
}
template <typename T, std::size_t N>
void StoreListValue(platform::Hwnd dialog, int id, const std::array<Choice<T>, N>& choices,
                    T& field) {
  field = ChoiceValue(choices, ListSelection(dialog, id)).value_or(field);
}

// A drop-down list whose selected index is a settings field.
struct SettingsList {
  int id;
  std::int32_t SurveySettings::*field;
};

void SelectSettingsLists(platform::Hwnd dialog, std::span<const SettingsList> lists,
                         const SurveySettings& settings);
void StoreSettingsLists(platform::Hwnd dialog, std::span<const SettingsList> lists,
                        SurveySettings& settings);

}  // namespace gradlog
