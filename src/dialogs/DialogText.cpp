#include "dialogs/DialogText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/SafeConvert.h"
#include "config/SurveyLineText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

// Only the characters a decimal number is written with reach the C conversions, so that
// their hexadecimal and "inf"/"nan" forms never apply.
std::string DecimalPrefix(std::string_view text, std::size_t maxCharacters) {
  text = text.substr(0, maxCharacters);
  const std::size_t end = text.find_first_not_of("0123456789+-.eE \t");
  return std::string(text.substr(0, end));
}

}  // namespace

double ReadNumber(std::string_view text, std::size_t maxCharacters) {
  const std::string copy = DecimalPrefix(text, maxCharacters);
  const double value = std::strtod(copy.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}

float ReadFloat(std::string_view text, std::size_t maxCharacters) {
  constexpr double FLOAT_MAX = std::numeric_limits<float>::max();
  const double value = ReadNumber(text, maxCharacters);
  if (value > FLOAT_MAX)
    return static_cast<float>(FLOAT_MAX);
  if (value < -FLOAT_MAX)
    return static_cast<float>(-FLOAT_MAX);
  return static_cast<float>(value);
}

std::int32_t ReadInteger(std::string_view text) {
  const std::string copy = DecimalPrefix(text, NUMBER_TEXT_MAX);
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  return ClampToInt32(value);
}

std::string FormatFixed(double value, int decimals) {
  const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  if (length <= 0)
    return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

double GetDlgItemNumber(Hwnd dialog, int id) {
  return ReadNumber(GetDlgItemText(dialog, id));
}

float GetDlgItemFloat(Hwnd dialog, int id) {
  return ReadFloat(GetDlgItemText(dialog, id));
}

std::int32_t GetDlgItemInteger(Hwnd dialog, int id) {
  return ReadInteger(GetDlgItemText(dialog, id));
}

std::string GetDlgItemSurveyLine(Hwnd dialog, int id) {
  return SurveyLineText(GetDlgItemText(dialog, id));
}

void SetDlgItemFixed(Hwnd dialog, int id, double value, int decimals) {
  SetDlgItemText(dialog, id, FormatFixed(value, decimals));
}

void SetDlgItemInteger(Hwnd dialog, int id, std::int32_t value) {
  SetDlgItemText(dialog, id, std::to_string(value));
}

void SelectListEntry(Hwnd dialog, int id, std::int32_t index) {
  const LRESULT count = SendDlgItemMessage(dialog, id, CB_GETCOUNT).value_or(0);
  const bool inList = index >= 0 && index < count;
  SendDlgItemMessage(dialog, id, CB_SETCURSEL,
                     inList ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1));
}

std::int32_t ListSelection(Hwnd dialog, int id) {
  const LRESULT selection = SendDlgItemMessage(dialog, id, CB_GETCURSEL).value_or(-1);
  return selection < 0 ? -1 : ClampToInt32(selection);
}

void StoreListSelection(Hwnd dialog, int id, std::int32_t& field) {
  const std::int32_t selection = ListSelection(dialog, id);
  if (selection >= 0)
    field = selection;
}

void SelectSettingsLists(Hwnd dialog, std::span<const SettingsList> lists,
                         const SurveySettings& settings) {
  for (const SettingsList& list : lists)
    SelectListEntry(dialog, list.id, settings.*list.field);
}

void StoreSettingsLists(Hwnd dialog, std::span<const SettingsList> lists,
                        SurveySettings& settings) {
  for (const SettingsList& list : lists)
    StoreListSelection(dialog, list.id, settings.*list.field);
}

}  // namespace gradlog
