#include <cctype>
#include <map>
#include <string>

#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"

namespace platform {

namespace {

constexpr std::string_view ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// By lower-case name. Filled at start-up on the UI thread, read-only afterwards.
std::map<std::string, DialogTemplate>& Templates() {
  static std::map<std::string, DialogTemplate> templates;
  return templates;
}

}  // namespace

void RegisterDialogTemplate(DialogTemplate dialogTemplate) {
  std::string key = LowerCase(dialogTemplate.name);
  Templates().insert_or_assign(std::move(key), std::move(dialogTemplate));
}

const DialogTemplate* FindDialogTemplate(std::string_view name) {
  const auto it = Templates().find(LowerCase(name));
  return it == Templates().end() ? nullptr : &it->second;
}

Point DialogBaseUnits() {
  const FontHandle font = SystemFont();
  const int letters = static_cast<int>(ALPHABET.size());
  const int total = font->MeasureText(ALPHABET).width;
  return {(total + letters / 2) / letters, font->Metrics().height};
}

Rect MapDialogRect(const DialogUnitRect& units) {
  const Point base = DialogBaseUnits();
  // Each edge is mapped on its own, so that controls that touch in units touch in pixels.
  auto x = [&base](int value) { return value * base.x / 4; };
  auto y = [&base](int value) { return value * base.y / 8; };
  return {x(units.x), y(units.y), x(units.x + units.cx), y(units.y + units.cy)};
}

}  // namespace platform
