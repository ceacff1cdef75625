#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradlog {

// An entry of a drop-down list whose index a setting stores: what it stands for and what the
// list shows for it.
template <typename T>
struct Choice {
  T value;
  std::string_view text;
};

// Entries shown as prefix + number + suffix, numbered from `first`: "COM1:" to "COM12:".
struct NumberedChoices {
  std::int32_t first;
  std::int32_t count;
  std::string_view prefix;
  std::string_view suffix;

  std::string Text(std::int32_t index) const {
    return std::string(prefix) + std::to_string(first + index) + std::string(suffix);
  }
};

// The index of the entry showing `text`; the build fails when there is none, so an index
// named after its text follows the list when the list is reordered.
template <std::size_t N>
consteval std::int32_t ChoiceIndex(const std::array<std::string_view, N>& choices,
                                   std::string_view text) {
  for (std::size_t i = 0; i < N; ++i) {
    if (choices[i] == text)
      return static_cast<std::int32_t>(i);
  }
  throw "no entry shows this text";
}

// The index of the entry standing for `value`, -1 when none does.
template <typename T, std::size_t N>
constexpr std::int32_t ChoiceIndexOf(const std::array<Choice<T>, N>& choices, T value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (choices[i].value == value)
      return static_cast<std::int32_t>(i);
  }
  return -1;
}

// The value of the entry at `index`; none for an index outside the list (a hand-edited file).
template <typename T, std::size_t N>
constexpr std::optional<T> ChoiceValue(const std::array<Choice<T>, N>& choices,
                                       std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N)
    return std::nullopt;
  return choices[static_cast<std::size_t>(index)].value;
}

// What a list shows, entry by entry.
template <std::size_t N>
std::vector<std::string> ChoiceTexts(const std::array<std::string_view, N>& choices) {
  return {choices.begin(), choices.end()};
}

template <typename T, std::size_t N>
std::vector<std::string> ChoiceTexts(const std::array<Choice<T>, N>& choices) {
  std::vector<std::string> texts;
  for (const Choice<T>& choice : choices)
    texts.emplace_back(choice.text);
  return texts;
}

inline std::vector<std::string> ChoiceTexts(const NumberedChoices& choices) {
  std::vector<std::string> texts;
  for (std::int32_t index = 0; index < choices.count; ++index)
    texts.push_back(choices.Text(index));
  return texts;
}

}  // namespace gradlog
