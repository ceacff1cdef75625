#pragma once

#include <optional>
#include <string>

#include "platform/ui/Handles.h"

namespace platform {

enum class FileChooserMode { Save, Open };

struct FileChooserRequest {
  FileChooserMode mode = FileChooserMode::Save;
  std::string title;             // the caption, e.g. "Create Data File"
  std::string filterLabel;       // e.g. "ASCII Files (*.ASC)"
  std::string filterPattern;     // e.g. "*.ASC" or "*.*"; several joined by ';'
  std::string defaultExtension;  // e.g. "DAT", no dot; empty = none
  std::string initialFolder;     // a device path, e.g. "C_DRIVE\\DATAZEP601\\"; empty = root
  std::string initialName;       // proposed file name, may be empty
};

// Modal (built on DialogBox). The chosen file's full device path with backslashes, e.g.
// "C_DRIVE\\DATAZEP601\\LINE0001.601", or nullopt when the user cancels. Navigation stays
// under the device root; a missing initial folder opens its nearest existing ancestor.
std::optional<std::string> ChooseFile(Hwnd owner, const FileChooserRequest& request);

}  // namespace platform
