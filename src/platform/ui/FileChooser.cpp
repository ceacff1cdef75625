#include "platform/ui/FileChooser.h"

#include <filesystem>
#include <vector>

#include "platform/gfx/Font.h"
#include "platform/sys/DevicePaths.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileListing.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr char TEMPLATE_NAME[] = "platform.FileChooser";
constexpr int ID_FOLDER_LABEL = 100;
constexpr int ID_FOLDER = 101;
constexpr int ID_LIST = 102;
constexpr int ID_NAME_LABEL = 103;
constexpr int ID_NAME = 104;
constexpr int ID_TYPE_LABEL = 105;
constexpr int ID_TYPE = 106;

constexpr char INVALID_NAME_MESSAGE[] = "The file name is not valid.";
constexpr char NOT_FOUND_MESSAGE[] = "File not found.";
constexpr char ROOT_DISPLAY[] = "\\";
constexpr std::string_view ELLIPSIS = "...";

enum class EntryKind { Parent, Folder, File };

struct Entry {
  EntryKind kind = EntryKind::File;
  std::string name;
};

struct Chooser {
  const FileChooserRequest& request;
  std::string folder;  // normalised device folder: "" or "A\\B\\"
  std::vector<Entry> entries;
  std::optional<std::string> chosen;
};

DialogItem Label(int id, std::string text, DialogUnitRect rect) {
  return {.className = "STATIC", .text = std::move(text), .id = id, .style = SS_LEFT, .rect = rect};
}

// 196 x 128 units: 294 x 208 pixels at base units 6 x 13, with the caption inside 240.
// The list comes before the name in tab order, as on screen; the focus starts in the name.
DialogTemplate ChooserTemplate() {
  return {.name = TEMPLATE_NAME,
          .cx = 196,
          .cy = 128,
          .exStyle = WS_EX_CAPTIONOKBTN,  // for its close box
          .items = {
              Label(ID_FOLDER_LABEL, "&Folder:", {4, 4, 30, 9}),
              Label(ID_FOLDER, "", {36, 4, 156, 9}),
              {.className = "Listbox",
               .id = ID_LIST,
               .style = WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP,
               .rect = {4, 15, 188, 67}},
              Label(ID_NAME_LABEL, "File &name:", {4, 87, 40, 9}),
              {.className = "edit",
               .id = ID_NAME,
               .style = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
               .rect = {46, 85, 146, 12}},
              Label(ID_TYPE_LABEL, "Type:", {4, 101, 40, 9}),
              Label(ID_TYPE, "", {46, 101, 146, 9}),
              {.className = "BUTTON",
               .text = "OK",
               .id = IDOK,
               .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
               .rect = {82, 112, 52, 14}},
              {.className = "BUTTON",
               .text = "Cancel",
               .id = IDCANCEL,
               .style = BS_PUSHBUTTON | WS_TABSTOP,
               .rect = {140, 112, 52, 14}},
          }};
}

void RegisterChooserTemplateOnce() {
  [[maybe_unused]] static const bool registered = [] {
    RegisterDialogTemplate(ChooserTemplate());
    return true;
  }();
}

// Static text treats '&' as a mnemonic marker; names and labels mean it literally.
std::string EscapeMnemonics(std::string_view text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&')
      out += '&';
  }
  return out;
}

// The end of a long path says where one is, so the start gives way to "...".
std::string ShortenFromLeft(std::string_view text, int width) {
  const FontHandle font = SystemFont();
  if (font->MeasureText(text).width <= width)
    return std::string(text);
  for (std::size_t cut = 1; cut < text.size(); ++cut) {
    if ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
      continue;  // inside a UTF-8 sequence
    std::string candidate = std::string(ELLIPSIS) + std::string(text.substr(cut));
    if (font->MeasureText(candidate).width <= width)
      return candidate;
  }
  return std::string(ELLIPSIS);
}

std::string LineOf(const Entry& entry) {
  switch (entry.kind) {
    case EntryKind::Parent:
      return "[..]";
    case EntryKind::Folder:
      return "[" + entry.name + "]";
    case EntryKind::File:
      break;
  }
  return entry.name;
}

std::vector<Entry> EntriesOf(const Chooser& chooser) {
  std::vector<Entry> entries;
  if (!chooser.folder.empty())
    entries.push_back({EntryKind::Parent, ".."});
  const FolderListing listing =
      ListFolder(MapDevicePath(chooser.folder), chooser.request.filterPattern);
  for (const std::string& name : listing.folders)
    entries.push_back({EntryKind::Folder, name});
  for (const std::string& name : listing.files)
    entries.push_back({EntryKind::File, name});
  return entries;
}

// Shows `folder` (or its nearest existing ancestor) and its listing; the line of the
// sub-folder named `selectName`, if any, gets the selection.
void ShowFolder(Hwnd dialog, Chooser& chooser, std::string_view folder,
                std::string_view selectName = {}) {
  chooser.folder = ExistingDeviceFolder(folder);
  const Hwnd label = GetDlgItem(dialog, ID_FOLDER);
  const std::string display = chooser.folder.empty() ? ROOT_DISPLAY : chooser.folder;
  SetWindowText(label, EscapeMnemonics(ShortenFromLeft(display, GetClientRect(label).Width())));
  chooser.entries = EntriesOf(chooser);
  SendDlgItemMessage(dialog, ID_LIST, LB_RESETCONTENT);
  for (std::size_t i = 0; i < chooser.entries.size(); ++i) {
    const Entry& entry = chooser.entries[i];
    SendDlgItemMessage(dialog, ID_LIST, LB_ADDSTRING, 0, 0, LineOf(entry));
    if (entry.kind == EntryKind::Folder && entry.name == selectName)
      SendDlgItemMessage(dialog, ID_LIST, LB_SETCURSEL, i);
  }
}

void FocusName(Hwnd dialog) {
  SetFocus(GetDlgItem(dialog, ID_NAME));
  SendDlgItemMessage(dialog, ID_NAME, EM_SETSEL, 0, -1);
}

void InitChooser(Hwnd dialog, Chooser& chooser) {
  SetWindowText(dialog, chooser.request.title);
  SetDlgItemText(dialog, ID_TYPE, EscapeMnemonics(chooser.request.filterLabel));
  SetDlgItemText(dialog, ID_NAME, chooser.request.initialName);
  ShowFolder(dialog, chooser, chooser.request.initialFolder);
  FocusName(dialog);
}

const Entry* SelectedEntry(Hwnd dialog, const Chooser& chooser) {
  const LRESULT index = SendDlgItemMessage(dialog, ID_LIST, LB_GETCURSEL).value_or(-1);
  if (index < 0 || static_cast<std::size_t>(index) >= chooser.entries.size())
    return nullptr;
  return &chooser.entries[static_cast<std::size_t>(index)];
}

void FollowSelection(Hwnd dialog, const Chooser& chooser) {
  const Entry* entry = SelectedEntry(dialog, chooser);
  if (entry != nullptr && entry->kind == EntryKind::File)
    SetDlgItemText(dialog, ID_NAME, entry->name);
}

// Enters a sub-folder or, for "[..]", the parent, selecting the folder just left.
void EnterEntry(Hwnd dialog, Chooser& chooser, const Entry& entry) {
  if (entry.kind == EntryKind::Parent) {
    const std::string left = chooser.folder;
    const std::string parent = ParentDeviceFolder(left);
    const std::string leftName = left.substr(parent.size(), left.size() - parent.size() - 1);
    ShowFolder(dialog, chooser, parent, leftName);
  } else {
    ShowFolder(dialog, chooser, chooser.folder + entry.name + '\\');
  }
}

void Warn(Hwnd dialog, const Chooser& chooser, const std::string& text) {
  MessageBox(dialog, text, chooser.request.title, MB_OK | MB_ICONEXCLAMATION);
  if (IsWindow(dialog))
    FocusName(dialog);
}

bool IsDirectory(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// OK: a folder line of the focused list, or a typed folder name, is entered; a valid file
// name ends the dialog with its full device path. Typed names find existing entries without
// regard to case, as on the handheld, so that a save never makes a second file that
// differs only in case.
void Accept(Hwnd dialog, Chooser& chooser) {
  if (GetFocus() == GetDlgItem(dialog, ID_LIST)) {
    const Entry* entry = SelectedEntry(dialog, chooser);
    if (entry != nullptr && entry->kind != EntryKind::File) {
      EnterEntry(dialog, chooser, Entry(*entry));
      return;
    }
  }
  const std::string typed = TrimSpaces(GetDlgItemText(dialog, ID_NAME));
  if (!IsValidFileName(typed)) {
    Warn(dialog, chooser, INVALID_NAME_MESSAGE);
    return;
  }
  const std::filesystem::path folder = MapDevicePath(chooser.folder);
  const std::string typedEntry = FindEntryIgnoringCase(folder, typed).value_or(typed);
  if (IsDirectory(folder / typedEntry)) {
    ShowFolder(dialog, chooser, chooser.folder + typedEntry + '\\');
    SetDlgItemText(dialog, ID_NAME, chooser.request.initialName);
    FocusName(dialog);
    return;
  }
  const std::string withExtension = WithDefaultExtension(typed, chooser.request.defaultExtension);
  const std::string name = FindEntryIgnoringCase(folder, withExtension).value_or(withExtension);
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder / name, error);
  if (chooser.request.mode == FileChooserMode::Open && !std::filesystem::is_regular_file(status)) {
    Warn(dialog, chooser, name + "\r\n" + NOT_FOUND_MESSAGE);
    return;
  }
  // A save may replace a file, never a folder or a device.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    Warn(dialog, chooser, INVALID_NAME_MESSAGE);
    return;
  }
  chooser.chosen = chooser.folder + name;
  EndDialog(dialog, IDOK);
}

bool ChooserProc(Chooser& chooser, const Message& m) {
  if (m.message == WM_INITDIALOG) {
    InitChooser(m.hwnd, chooser);
    return false;  // the focus is already in the name
  }
  if (m.message != WM_COMMAND)
    return false;
  const int id = LowWord(m.wParam);
  const std::uint16_t code = HighWord(m.wParam);
  if (id == ID_LIST && code == LBN_SELCHANGE) {
    FollowSelection(m.hwnd, chooser);
    return true;
  }
  if (id == IDOK && code == BN_CLICKED) {
    Accept(m.hwnd, chooser);
    return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> ChooseFile(Hwnd owner, const FileChooserRequest& request) {
  RequireUiThread();
  RegisterChooserTemplateOnce();
  Chooser chooser{.request = request};
  const std::optional<int> result = DialogBox(
      TEMPLATE_NAME, owner, [&chooser](const Message& m) { return ChooserProc(chooser, m); });
  if (result != IDOK)
    return std::nullopt;
  return chooser.chosen;
}

}  // namespace platform
