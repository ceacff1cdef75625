#include "platform/ui/FileListing.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "platform/sys/DevicePaths.h"

namespace platform {

namespace {

constexpr std::string_view INVALID_NAME_CHARACTERS = "\\/:*?\"<>|";
constexpr std::string_view MATCH_EVERYTHING = "*.*";

char FoldCase(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Classic wildcard matching: on a mismatch after a '*', the star takes one more character.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern == MATCH_EVERYTHING)
    return true;
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

std::vector<std::string> SplitPatterns(std::string_view patterns) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string_view::npos)
      end = patterns.size();
    std::string pattern = TrimSpaces(patterns.substr(start, end - start));
    if (!pattern.empty())
      out.push_back(std::move(pattern));
    start = end + 1;
  }
  return out;
}

std::vector<std::string> FolderComponents(std::string_view folder) {
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= folder.size()) {
    std::size_t end = folder.find_first_of("\\/", start);
    if (end == std::string_view::npos)
      end = folder.size();
    const std::string_view part = folder.substr(start, end - start);
    if (part == "..") {
      if (!components.empty())
        components.pop_back();
    } else if (!part.empty() && part != ".") {
      components.emplace_back(part);
    }
    start = end + 1;
  }
  return components;
}

std::string JoinFolder(const std::vector<std::string>& components) {
  std::string folder;
  for (const std::string& part : components)
    folder += part + '\\';
  return folder;
}

bool IsDirectory(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

std::string Folded(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), FoldCase);
  return out;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::string fa = Folded(a);
  const std::string fb = Folded(b);
  return fa != fb ? fa < fb : a < b;
}

}  // namespace

bool MatchesFilter(std::string_view name, std::string_view patterns) {
  const std::vector<std::string> list = SplitPatterns(patterns);
  // A request without a pattern shows every file rather than none.
  if (list.empty())
    return true;
  return std::any_of(list.begin(), list.end(),
                     [name](const std::string& pattern) { return MatchesPattern(name, pattern); });
}

std::string TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

bool IsValidFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  return name.find_first_of(INVALID_NAME_CHARACTERS) == std::string_view::npos;
}

std::string WithDefaultExtension(std::string_view name, std::string_view extension) {
  if (extension.empty() || name.find('.') != std::string_view::npos)
    return std::string(name);
  return std::string(name) + '.' + std::string(extension);
}

std::string NormalizeDeviceFolder(std::string_view folder) {
  return JoinFolder(FolderComponents(folder));
}

std::string ParentDeviceFolder(std::string_view folder) {
  std::vector<std::string> components = FolderComponents(folder);
  if (!components.empty())
    components.pop_back();
  return JoinFolder(components);
}

std::string ExistingDeviceFolder(std::string_view folder) {
  std::vector<std::string> components = FolderComponents(folder);
  while (!components.empty() && !IsDirectory(MapDevicePath(JoinFolder(components))))
    components.pop_back();
  return JoinFolder(components);
}

std::optional<std::string> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                 std::string_view name) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!name.empty() && fs::exists(folder / name, error))
    return std::string(name);
  const std::string wanted = Folded(name);
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::string entry = it->path().filename().string();
    if (Folded(entry) == wanted)
      return entry;
  }
  return std::nullopt;
}

FolderListing ListFolder(const std::filesystem::path& folder, std::string_view patterns) {
  namespace fs = std::filesystem;
  FolderListing listing;
  std::error_code error;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.')
      continue;
    std::error_code statusError;
    const fs::file_status status = it->status(statusError);  // follows links, as a card's
    if (statusError)
      continue;
    const std::string path = it->path().string();
    if (fs::is_directory(status)) {
      if (::access(path.c_str(), R_OK | X_OK) == 0)
        listing.folders.push_back(name);
    } else if (fs::is_regular_file(status) && MatchesFilter(name, patterns) &&
               ::access(path.c_str(), R_OK) == 0) {
      listing.files.push_back(name);
    }
  }
  std::sort(listing.folders.begin(), listing.folders.end(), LessIgnoringCase);
  std::sort(listing.files.begin(), listing.files.end(), LessIgnoringCase);
  return listing;
}

}  // namespace platform
