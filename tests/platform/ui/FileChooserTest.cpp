#include <sys/stat.h>

#include "WindowTestSupport.h"
#include "platform/sys/DevicePaths.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/FileListing.h"
#include "support/TempDeviceRoot.h"

namespace {

using namespace ui_test;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

void MakeFiles(const fs::path& root, std::initializer_list<const char*> paths) {
  for (const std::string relative : paths) {
    if (relative.ends_with('/'))
      fs::create_directories(root / relative);
    else
      testing_support::TempFolder::WriteFile(root / relative, "x");
  }
}

TEST(FileListing, FilterMatchingIgnoresCaseAndTakesWildcards) {
  const std::tuple<const char*, const char*, bool> cases[] = {
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
      {"anything", "", true}};
  for (const auto& [name, patterns, matches] : cases)
    EXPECT_EQ(MatchesFilter(name, patterns), matches) << name << " ~ " << patterns;
}

TEST(FileListing, FoldersFirstThenMatchingFilesEachSortedWithoutCaseAllUnderTheRoot) {
  gradlog::testing::TempDeviceRoot root;
  const fs::path dir = root.Path() / "D";
  MakeFiles(dir, {"b/", "A/", ".hidden/", "track.asc", "Zeta.ASC", "alpha.ASC", "notes.txt",
                  ".hidden.asc", "README"});
  fs::create_directory_symlink(dir / "A", dir / "card");
  fs::create_symlink(dir / "gone.asc", dir / "broken.asc");
  ASSERT_EQ(::mkfifo((dir / "pipe.asc").c_str(), 0600), 0);
  const FolderListing asc = ListFolder(dir, "*.ASC");
  EXPECT_EQ(asc.folders, (Lines{"A", "b", "card"}));
  EXPECT_EQ(asc.files, (Lines{"alpha.ASC", "track.asc", "Zeta.ASC"}));
  EXPECT_EQ(ListFolder(dir, "*.*").files,
            (Lines{"alpha.ASC", "notes.txt", "README", "track.asc", "Zeta.ASC"}));
  const FolderListing missing = ListFolder(dir / "nowhere", "*.*");
  EXPECT_TRUE(missing.folders.empty() && missing.files.empty());
  // The chooser's tests walk real folders; these are odd paths a request may bring.
  EXPECT_EQ(NormalizeDeviceFolder("\\Storage Card\\x"), "Storage Card\\x\\");
  EXPECT_EQ(NormalizeDeviceFolder("A\\.\\..\\..\\B\\"), "B\\");
  EXPECT_EQ(ExistingDeviceFolder("D\\track.asc\\"), "D\\");
  EXPECT_EQ(ExistingDeviceFolder("..\\..\\etc\\"), "");
}

class FileChooserTest : public UiTest {
 protected:
  gradlog::testing::TempDeviceRoot root;

  std::optional<std::string> Choose(const FileChooserRequest& request, std::vector<Step> steps) {
    return RunSteps(std::move(steps), [&] { return ChooseFile({}, request); });
  }
  Lines ListLines() {
    std::vector<TextTraceEntry> entries =
        test.Screen().Trace().EntriesIn(GetWindowRect(FindWindow("Listbox", "")));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.rect.top < b.rect.top; });
    Lines lines;
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
  const auto look = [&] {
    EXPECT_TRUE((Rect{0, 0, 320, 240}).Contains(GetWindowRect(FindWindow("Dialog", ""))));
    for (const char* text :
         {"Create Data File", "C_DRIVE\\DATAZEP601\\", "Data Files (*.601)", "LINE0003.601"})
      EXPECT_TRUE(Shows(text)) << text;
    EXPECT_EQ(ListLines(), (Lines{"[..]", "[Alpha]", "[zeta]", "line0001.601", "LINE0002.601"}));
    EXPECT_EQ(GetClassName(GetFocus()), "edit");
    EXPECT_EQ(SendMessage(GetFocus(), EM_GETSEL), MakeWParam(0, 12));
  };
  EXPECT_EQ(Choose(SAVE_DATA, {look, Queued(Key(VK_RETURN))}), "C_DRIVE\\DATAZEP601\\LINE0003.601");
  EXPECT_FALSE(fs::exists(root.Path() / "C_DRIVE/DATAZEP601/LINE0003.601"));
}

TEST_F(FileChooserTest, TypedNamesGetTheDefaultExtensionOnlyWhenTheyHaveNone) {
  MakeFiles(root.Path() / "C_DRIVE/DATAZEP601", {"line0001.601"});
  // The last: an existing file under its own name.
  const std::pair<const char*, const char*> cases[] = {
      {"LINE1", "LINE1.601"},       {"LINE1.TXT", "LINE1.TXT"},
      {"A.B.C", "A.B.C"},           {"Storage Card", "Storage Card.601"},
      {"  spaced  ", "spaced.601"}, {"LINE0001", "line0001.601"}};
  for (const auto& [typed, path] : cases) {
    EXPECT_EQ(Choose(SAVE_DATA, {Queued(Chars(typed) + Key(VK_RETURN))}),
              std::string("C_DRIVE\\DATAZEP601\\") + path)
        << typed;
  }
}

TEST_F(FileChooserTest, InvalidNamesAreRefusedWithAMessageAndTheDialogStays) {
  for (const char* typed :
       {"   ", ".", "..", "a*b", "a/b", "a\\b", "C:x", "a?b", "a|b", "<a>", "\"a\""}) {
    const auto refused = [&] {
      EXPECT_TRUE(Shows("The file name is not valid.")) << typed;
      Queue(Key(VK_RETURN));
    };
    const auto stays = [&] {
      EXPECT_FALSE(Shows("The file name is not valid.")) << typed;
      EXPECT_TRUE(Shows("Create Data File")) << typed;
      Queue(Key(VK_ESCAPE));
    };
    EXPECT_EQ(Choose(SAVE_DATA, {Queued(Chars(typed) + Key(VK_RETURN)), refused, stays}),
              std::nullopt)
        << typed;
  }
}

TEST_F(FileChooserTest, EscapeAndCancelChooseNothing) {
  for (const Input& input : {Key(VK_ESCAPE), Key(VK_TAB) + Key(VK_TAB) + Key(VK_RETURN)})
    EXPECT_EQ(Choose(SAVE_DATA, {Queued(Chars("NEW") + input)}), std::nullopt);
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
  const auto notFound = [&] {
    EXPECT_TRUE(Shows("missing.ASC"));
    EXPECT_TRUE(Shows("File not found."));
    Queue(Key(VK_RETURN) + Key(VK_TAB, true) + Key(VK_END));
  };
  const auto chosen = [&] {
    EXPECT_EQ(NameText(), "track.asc");
    Queue(Key(VK_RETURN));
  };
  EXPECT_EQ(Choose(open, {Queued(Chars("missing") + Key(VK_RETURN)), notFound, chosen}),
            "C_DRIVE\\GPS\\track.asc");
}

TEST_F(FileChooserTest, NavigatesIntoSubFoldersAndBackUpButNeverAboveTheRoot) {
  MakeFiles(root.Path(), {"DATA/SUB/x.601", "DATA/y.601"});
  FileChooserRequest request = SAVE_DATA;
  request.initialFolder = "DATA\\";
  const auto inSub = [&] {
    EXPECT_TRUE(Shows("DATA\\SUB\\"));
    EXPECT_EQ(ListLines(), (Lines{"[..]", "x.601"}));
    EXPECT_EQ(NameText(), "LINE0003.601");
    Queue(Key(VK_TAB, true) + Key(VK_HOME) + Key(VK_RETURN));
  };
  const auto backInData = [&] {
    EXPECT_EQ(ListLines(), (Lines{"[..]", "[SUB]", "y.601"}));
    EXPECT_EQ(SendMessage(FindWindow("Listbox", ""), LB_GETCURSEL), 1);
    Queue(Key(VK_HOME) + Key(VK_RETURN));
  };
  const auto atRoot = [&] {
    EXPECT_EQ(ListLines(), (Lines{"[DATA]"}));
    Queue(Key(VK_HOME) + Key(VK_RETURN) + Key(VK_END));
  };
  EXPECT_EQ(Choose(request, {Queued(Chars("sub") + Key(VK_RETURN)), inSub, backInData, atRoot,
                             Queued(Key(VK_RETURN))}),
            "DATA\\y.601");
}

TEST_F(FileChooserTest, AMissingFolderOpensItsNearestAncestorShortenedFromTheLeft) {
  const std::string deep = "C_DRIVE\\A_RATHER_LONG_FOLDER_NAME\\ANOTHER_LONG_ONE\\LAST_FOLDER\\";
  fs::create_directories(MapDevicePath(deep));
  FileChooserRequest request = SAVE_DATA;
  request.initialFolder = deep + "NOPE\\DEEPER\\";
  const auto look = [&] {
    const auto& lines = test.Screen().Trace().Entries();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](auto& e) {
      return e.text.starts_with("...") && e.text.ends_with("ANOTHER_LONG_ONE\\LAST_FOLDER\\");
    }));
    EXPECT_FALSE(Shows("C_DRIVE"));
  };
  EXPECT_EQ(Choose(request, {look, Queued(Chars("f") + Key(VK_RETURN))}), deep + "f.601");
}

}  // namespace
