#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the file chooser knows about names and folders, without any window.
namespace platform {

// Whether a file name matches one of the ';'-separated patterns ("*.ASC;*.TXT"), ignoring
// case; '*' stands for any run of characters and '?' for one. "*.*" matches every name,
// also one without a dot.
bool MatchesFilter(std::string_view name, std::string_view patterns);

// Spaces at both ends removed.
std::string TrimSpaces(std::string_view text);

// False for an empty name, "." or "..", and names with a character a file name cannot
// hold (\ / : * ? " < > |).
bool IsValidFileName(std::string_view name);

// "." + extension appended when the name has no extension of its own and `extension` is
// not empty: "LINE1" -> "LINE1.601"; "LINE1.TXT" and "A.B.C" stay as they are.
std::string WithDefaultExtension(std::string_view name, std::string_view extension);

// Device folders are written "" for the root, else "NAME\\NAME\\" with a trailing
// backslash. Empty, "." and ".." components are resolved without leaving the root.
std::string NormalizeDeviceFolder(std::string_view folder);
// The enclosing folder; the root's parent is the root.
std::string ParentDeviceFolder(std::string_view folder);
// The folder itself when it exists under the device root, else its nearest existing
// ancestor, else the root.
std::string ExistingDeviceFolder(std::string_view folder);

// The name of the entry of a host folder that is `name` without regard to case (the exact
// one first), as on the handheld's file systems; nullopt when there is none.
std::optional<std::string> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                 std::string_view name);

struct FolderListing {
  std::vector<std::string> folders;  // sub-folder names
  std::vector<std::string> files;    // matching regular files
};

// The visible, readable entries of a host folder, each group sorted without regard to case.
// Hidden entries (a leading '.') and anything but folders and regular files are left out;
// an unreadable or missing folder lists nothing.
FolderListing ListFolder(const std::filesystem::path& folder, std::string_view patterns);

}  // namespace platform
