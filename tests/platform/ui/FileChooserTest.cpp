#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

#include "platform/sys/DevicePaths.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/FileListing.h"
#include "platform/ui/Window.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;
using Input = std::vector<InputEvent>;
namespace fs = std::filesystem;

void MakeFiles(const fs::path& root, std::initializer_list<const char*> paths) {
  for (const char* path : paths) {
    const std::string relative = path;
    if (relative.ends_with('/'))
      fs::create_directories(root / relative);
    else
      testing_support::TempFolder::WriteFile(root / relative, "x");
  }
}

TEST(FileListing, FilterMatchingIgnoresCaseAndTakesWildcards) {
  struct Case {
    const char* name;
    const char* patterns;
    bool matches;
  };
  for (const Case& c : std::vector<Case>{{"track.asc", "*.ASC", true},
                                         {"TRACK.ASC", "*.asc", true},
                                         {"track.asc.bak", "*.ASC", false},
                                         {"trackasc", "*.ASC", false},
                                         {"LINE0001.601", "LINE????.601", true},
                                         {"LINE001.601", "LINE????.601", false},
                                         {"README", "*.*", true},
                                         {"a.txt", "*.ASC; *.TXT", true},
                                         {"a.dat", "*.ASC;*.TXT", false},
                                         {"aXbYbc", "a*b*c", true},
                                         {"abc", "a*d", false},
                                         {"anything", "", true}}) {
    EXPECT_EQ(MatchesFilter(c.name, c.patterns), c.matches) << c.name << " ~ " << c.patterns;
  }
}

TEST(FileListing, NamesValidityAndDefaultExtension) {
  for (const char* bad : {"", ".", "..", "a*b", "a/b", "a\\b", "C:x", "a?b", "a|b", "<a>", "\"a\""})
    EXPECT_FALSE(IsValidFileName(bad)) << bad;
  for (const char* good : {"LINE1", "A.B.C", "Storage Card", "..."})
    EXPECT_TRUE(IsValidFileName(good)) << good;
  EXPECT_EQ(WithDefaultExtension("LINE1", "601"), "LINE1.601");
  EXPECT_EQ(WithDefaultExtension("LINE1.TXT", "601"), "LINE1.TXT");
  EXPECT_EQ(WithDefaultExtension("A.B.C", "601"), "A.B.C");
  EXPECT_EQ(WithDefaultExtension("LINE1", ""), "LINE1");
  EXPECT_EQ(TrimSpaces("  my line  "), "my line");
}

TEST(FileListing, DeviceFoldersNeverLeaveTheRoot) {
  gradlog::testing::TempDeviceRoot root;
  MakeFiles(root.Path(), {"A/B/", "A/file.txt"});
  EXPECT_EQ(NormalizeDeviceFolder("\\Storage Card\\x"), "Storage Card\\x\\");
  EXPECT_EQ(NormalizeDeviceFolder("A\\.\\..\\..\\B\\"), "B\\");
  EXPECT_EQ(ParentDeviceFolder("A\\B\\"), "A\\");
  EXPECT_EQ(ParentDeviceFolder(""), "");
  EXPECT_EQ(ExistingDeviceFolder("A\\B\\C\\D\\"), "A\\B\\");
  EXPECT_EQ(ExistingDeviceFolder("A\\file.txt\\"), "A\\");
  EXPECT_EQ(ExistingDeviceFolder("..\\..\\etc\\"), "");
  EXPECT_EQ(FindEntryIgnoringCase(root.Path() / "A", "FILE.TXT"), "file.txt");
  EXPECT_EQ(FindEntryIgnoringCase(root.Path() / "A", "other"), std::nullopt);
}

TEST(FileListing, FoldersFirstThenMatchingFilesEachSortedWithoutCase) {
  gradlog::testing::TempDeviceRoot root;
  const fs::path dir = root.Path() / "D";
  MakeFiles(dir, {"b/", "A/", ".hidden/", "track.asc", "Zeta.ASC", "alpha.ASC", "notes.txt",
                  ".hidden.asc", "README"});
  fs::create_directory_symlink(dir / "A", dir / "card");
  fs::create_symlink(dir / "gone.asc", dir / "broken.asc");
  ASSERT_EQ(::mkfifo((dir / "pipe.asc").c_str(), 0600), 0);

  const FolderListing asc = ListFolder(dir, "*.ASC");
  EXPECT_EQ(asc.folders, (std::vector<std::string>{"A", "b", "card"}));
  EXPECT_EQ(asc.files, (std::vector<std::string>{"alpha.ASC", "track.asc", "Zeta.ASC"}));
  EXPECT_EQ(
      ListFolder(dir, "*.*").files,
      (std::vector<std::string>{"alpha.ASC", "notes.txt", "README", "track.asc", "Zeta.ASC"}));
  const FolderListing missing = ListFolder(dir / "nowhere", "*.*");
  EXPECT_TRUE(missing.folders.empty() && missing.files.empty());
}

Input Key(std::uint32_t key, bool shift = false) {
  return {{.kind = InputKind::KeyDown, .virtualKey = key, .shift = shift},
          {.kind = InputKind::KeyUp, .virtualKey = key, .shift = shift}};
}
Input Text(std::string_view text) {
  Input input;
  for (char c : text)
    input.push_back({.kind = InputKind::Char, .character = char32_t(c)});
  return input;
}
Input Click(Point p) {
  return {{.kind = InputKind::ButtonDown, .position = p},
          {.kind = InputKind::ButtonUp, .position = p}};
}
Input operator+(Input a, const Input& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Runs the chooser with `steps`, each called once the screen has settled after the
// previous one (from an owner timer, which keeps running under modal loops).
class FileChooserTest : public ::testing::Test {
 protected:
  gradlog::testing::TempDeviceRoot root;
  testing_support::TestPlatform test;
  std::vector<std::function<void()>> steps;
  std::size_t stepsRun = 0;

  std::optional<std::string> Choose(const FileChooserRequest& request,
                                    std::vector<std::function<void()>> script) {
    steps = std::move(script);
    stepsRun = 0;
    RegisterClass({.name = "Owner", .procedure = [this](const Message& m) { return Owner(m); }});
    const Hwnd owner = CreateWindow({.className = "Owner", .rect = {0, 0, 320, 240}});
    SetTimer(owner, 1, 10);
    test.services.Advance(10);
    std::optional<std::string> result = ChooseFile(owner, request);
    DestroyWindow(owner);
    PumpMessages();  // the key-up of the key that ended it, as the outer loop would
    EXPECT_EQ(stepsRun, steps.size()) << "the chooser ended before its script did";
    return result;
  }

  LRESULT Owner(const Message& m) {
    if (m.message != WM_TIMER)
      return DefWindowProc(m);
    test.services.Advance(10);
    if (stepsRun < steps.size()) {
      steps[stepsRun++]();
    } else {
      ADD_FAILURE() << "the chooser outlived its script";
      PostQuitMessage(0);
    }
    return 0;
  }

  void Queue(const Input& input) {
    for (const InputEvent& event : input)
      test.platform->InjectInput(event);
  }
  bool Shows(std::string_view text) { return test.Screen().Trace().IsVisible(text); }
  // The lines of the list, top to bottom, as drawn.
  std::vector<std::string> ListLines() {
    std::vector<TextTraceEntry> entries =
        test.Screen().Trace().EntriesIn(GetWindowRect(FindWindow("Listbox", "")));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.rect.top < b.rect.top; });
    std::vector<std::string> lines;
    for (const TextTraceEntry& e : entries)
      lines.push_back(e.text);
    return lines;
  }
  std::string NameText() { return GetWindowText(FindWindow("edit", "")); }
};

const FileChooserRequest SAVE_DATA{.title = "Create Data File",
                                   .filterLabel = "Data Files (*.601)",
                                   .filterPattern = "*.601",
                                   .defaultExtension = "601",
                                   .initialFolder = "C_DRIVE\\DATAZEP601\\",
                                   .initialName = "LINE0003.601"};

TEST_F(FileChooserTest, SaveShowsTheListingAndEnterAcceptsTheProposedName) {
  MakeFiles(root.Path() / "C_DRIVE/DATAZEP601",
            {"zeta/", "Alpha/", "LINE0002.601", "line0001.601", "other.txt"});
  const auto result =
      Choose(SAVE_DATA, {[&] {
               const Rect window = GetWindowRect(FindWindow("Dialog", ""));
               EXPECT_TRUE((Rect{0, 0, 320, 240}).Contains(window));
               for (const char* text : {"Create Data File", "C_DRIVE\\DATAZEP601\\",
                                        "Data Files (*.601)", "LINE0003.601"})
                 EXPECT_TRUE(Shows(text)) << text;
               EXPECT_EQ(ListLines(), (std::vector<std::string>{"[..]", "[Alpha]", "[zeta]",
                                                                "line0001.601", "LINE0002.601"}));
               const Hwnd focus = GetFocus();
               EXPECT_EQ(GetClassName(focus), "edit");
               EXPECT_EQ(SendMessage(focus, EM_GETSEL), MakeWParam(0, 12));
               Queue(Key(VK_RETURN));
             }});
  EXPECT_EQ(result, "C_DRIVE\\DATAZEP601\\LINE0003.601");
  EXPECT_FALSE(fs::exists(root.Path() / "C_DRIVE/DATAZEP601/LINE0003.601"));
}

TEST_F(FileChooserTest, TypedNamesGetTheDefaultExtensionOnlyWhenTheyHaveNone) {
  MakeFiles(root.Path() / "C_DRIVE/DATAZEP601", {"line0001.601"});
  for (auto [typed, path] : std::vector<std::pair<const char*, const char*>>{
           {"LINE1", "C_DRIVE\\DATAZEP601\\LINE1.601"},
           {"LINE1.TXT", "C_DRIVE\\DATAZEP601\\LINE1.TXT"},
           {"A.B.C", "C_DRIVE\\DATAZEP601\\A.B.C"},
           {"  spaced  ", "C_DRIVE\\DATAZEP601\\spaced.601"},
           {"LINE0001", "C_DRIVE\\DATAZEP601\\line0001.601"}}) {
    EXPECT_EQ(Choose(SAVE_DATA, {[&] { Queue(Text(typed) + Key(VK_RETURN)); }}), path) << typed;
  }
}

TEST_F(FileChooserTest, InvalidNamesAreRefusedWithAMessageAndTheDialogStays) {
  for (const char* typed : {"   ", ".", "..", "a*b", "a/b", "C:x", "<a>"}) {
    const auto result = Choose(SAVE_DATA, {[&] { Queue(Text(typed) + Key(VK_RETURN)); },
                                           [&] {
                                             EXPECT_TRUE(Shows("The file name is not valid."));
                                             Queue(Key(VK_RETURN));
                                           },
                                           [&] {
                                             EXPECT_FALSE(Shows("The file name is not valid."));
                                             EXPECT_TRUE(Shows("Create Data File"));
                                             Queue(Key(VK_ESCAPE));
                                           }});
    EXPECT_EQ(result, std::nullopt) << typed;
  }
}

TEST_F(FileChooserTest, EscapeAndCancelChooseNothing) {
  for (const Input& input : {Key(VK_ESCAPE), Key(VK_TAB) + Key(VK_TAB) + Key(VK_RETURN)}) {
    EXPECT_EQ(Choose(SAVE_DATA, {[&] { Queue(Text("NEW") + input); }}), std::nullopt);
  }
  EXPECT_TRUE(fs::is_empty(root.Path()));
}

TEST_F(FileChooserTest, OpenRefusesAMissingFileThenTakesOneChosenInTheList) {
  MakeFiles(root.Path() / "C_DRIVE/GPS", {"track.asc", "other.asc"});
  const FileChooserRequest open{.mode = FileChooserMode::Open,
                                .title = "Open ASCII File",
                                .filterLabel = "ASCII Files (*.ASC)",
                                .filterPattern = "*.ASC",
                                .defaultExtension = "ASC",
                                .initialFolder = "C_DRIVE\\GPS\\"};
  const auto result = Choose(open, {[&] { Queue(Text("missing") + Key(VK_RETURN)); },
                                    [&] {
                                      EXPECT_TRUE(Shows("missing.ASC"));
                                      EXPECT_TRUE(Shows("File not found."));
                                      Queue(Key(VK_RETURN) + Key(VK_TAB, true) + Key(VK_END));
                                    },
                                    [&] {
                                      EXPECT_EQ(NameText(), "track.asc");
                                      Queue(Key(VK_RETURN));
                                    }});
  EXPECT_EQ(result, "C_DRIVE\\GPS\\track.asc");
}

TEST_F(FileChooserTest, NavigatesIntoSubFoldersAndBackUpButNeverAboveTheRoot) {
  MakeFiles(root.Path(), {"DATA/SUB/x.601", "DATA/y.601"});
  FileChooserRequest request = SAVE_DATA;
  request.initialFolder = "DATA\\";
  const auto result = Choose(
      request, {[&] { Queue(Text("sub") + Key(VK_RETURN)); },
                [&] {
                  EXPECT_TRUE(Shows("DATA\\SUB\\"));
                  EXPECT_EQ(ListLines(), (std::vector<std::string>{"[..]", "x.601"}));
                  EXPECT_EQ(NameText(), "LINE0003.601");
                  Queue(Key(VK_TAB, true) + Key(VK_HOME) + Key(VK_RETURN));
                },
                [&] {
                  EXPECT_EQ(ListLines(), (std::vector<std::string>{"[..]", "[SUB]", "y.601"}));
                  const Hwnd list = FindWindow("Listbox", "");
                  EXPECT_EQ(SendMessage(list, LB_GETCURSEL), 1);
                  Queue(Key(VK_HOME) + Key(VK_RETURN));
                },
                [&] {
                  EXPECT_EQ(ListLines(), (std::vector<std::string>{"[DATA]"}));
                  Queue(Key(VK_HOME) + Key(VK_RETURN) + Key(VK_END));
                },
                [&] { Queue(Key(VK_RETURN)); }});
  EXPECT_EQ(result, "DATA\\y.601");
}

TEST_F(FileChooserTest, AMissingFolderOpensItsNearestAncestorShortenedFromTheLeft) {
  const std::string deep = "C_DRIVE\\A_RATHER_LONG_FOLDER_NAME\\ANOTHER_LONG_ONE\\LAST_FOLDER\\";
  fs::create_directories(MapDevicePath(deep));
  FileChooserRequest request = SAVE_DATA;
  request.initialFolder = deep + "NOPE\\DEEPER\\";
  const auto result = Choose(request, {[&] {
                               const auto& lines = test.Screen().Trace().Entries();
                               EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](auto& e) {
                                 return e.text.starts_with("...") &&
                                        e.text.ends_with("ANOTHER_LONG_ONE\\LAST_FOLDER\\");
                               }));
                               EXPECT_FALSE(Shows("C_DRIVE"));
                               Queue(Text("f") + Key(VK_RETURN));
                             }});
  EXPECT_EQ(result, deep + "f.601");
}

TEST_F(FileChooserTest, ThePointerPicksAFileAndPressesOk) {
  MakeFiles(root.Path() / "C_DRIVE/DATAZEP601", {"LINE0001.601", "LINE0002.601"});
  auto click = [&](std::string_view text) {
    for (const TextTraceEntry& e : test.Screen().Trace().Entries()) {
      if (e.text == text)
        return Queue(Click({(e.rect.left + e.rect.right) / 2, (e.rect.top + e.rect.bottom) / 2}));
    }
    ADD_FAILURE() << text << " is not on screen";
  };
  const auto result = Choose(SAVE_DATA, {[&] { click("LINE0002.601"); },
                                         [&] {
                                           EXPECT_EQ(NameText(), "LINE0002.601");
                                           click("OK");
                                         }});
  EXPECT_EQ(result, "C_DRIVE\\DATAZEP601\\LINE0002.601");
}

}  // namespace
