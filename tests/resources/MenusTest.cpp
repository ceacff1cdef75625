#include "resources/Menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Menu.h"

namespace {

// "text=id" of each item of the menu's "&File" pop-up, sub-menus in brackets.
std::string Describe(const std::vector<platform::MenuItem>& items) {
  std::string text;
  for (const platform::MenuItem& item : items) {
    if (!text.empty())
      text += ", ";
    if (item.separator)
      text += "-";
    else if (!item.subItems.empty())
      text += item.text + " [" + Describe(item.subItems) + "]";
    else
      text += item.text + "=" + std::to_string(item.id);
  }
  return text;
}

TEST(MenusTest, EachMenuHasItsItemsAndIds) {
  gradlog::RegisterMenus();
  const std::string options =
      "Displa&y Options [M&ap=57, P&rofile=58, Speed &Bar=60, GPS &Warning=63]";
  const std::string optionsNoFile =
      "Displa&y Options [M&ap=83, P&rofile=84, Speed &Bar=85, GPS &Warning=88]";
  const std::string fileHead =
      "New &Line=42, &New Station=43, &Comment=44, -, &Scale Map=45, "
      "Scale &Profile=46, " +
      options + ", &Toggle View=49, -, ";
  const std::string noFileHead =
      "&Scale Map=72, Scale &Profile=73, " + optionsNoFile + ", &Toggle View=76, -, ";
  const std::pair<int, std::string> expected[] = {
      {40, fileHead + "&External File=53, ASC&II File=54, &Hide Menu=56"},
      {92, fileHead + "Remove &External File=53, &Hide Menu=56"},
      {93, fileHead + "Remove ASC&II File=54, &Hide Menu=56"},
      {70, noFileHead + "&External File=79, ASC&II File=80, &Hide Menu=82"},
      {90, noFileHead + "Remove &External File=79, &Hide Menu=82"},
      {91, noFileHead + "Remove ASC&II File=80, &Hide Menu=82"},
  };
  for (const auto& [number, items] : expected) {
    const platform::Menu* menu = platform::FindMenu(number);
    ASSERT_NE(menu, nullptr) << number;
    ASSERT_EQ(menu->items.size(), 1u);
    EXPECT_EQ(menu->items[0].text, "&File");
    EXPECT_EQ(Describe(menu->items[0].subItems), items) << number;
  }
}

}  // namespace
