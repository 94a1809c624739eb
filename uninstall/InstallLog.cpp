#include "uninstall/InstallLog.h"

#include "common/Text.h"

namespace uninstall {
namespace {

std::string NormaliseName(std::string_view line) {
  size_t blank = line.find(' ');
  std::string name(blank == std::string_view::npos ? line : line.substr(blank + 1));
  if (!name.empty() && name[0] == '\\') name[0] = ' ';
  // Lower-casing the decoded text touches ASCII letters only; on GBK bytes
  // it would change the trail bytes of double-byte characters.
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text::Trim(name);
}

bool IsFullPath(const std::string& name) {
  return name.size() >= 3 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')) &&
         name[1] == ':' && (name[2] == '\\' || name[2] == '/');
}

// "." and ".." as Win32 reads them: a part made only of dots and blanks is
// cut to nothing or to ".." by the path rules, so anything else of that kind
// is refused rather than guessed.
enum class PartKind { kName, kCurrent, kParent, kRefused };

PartKind KindOf(std::string_view part) {
  if (part == ".") return PartKind::kCurrent;
  if (part == "..") return PartKind::kParent;
  bool onlyDots = !part.empty();
  for (char c : part)
    if (c != '.' && c != ' ') onlyDots = false;
  if (onlyDots) return PartKind::kRefused;
  return part.find(':') == std::string_view::npos ? PartKind::kName : PartKind::kRefused;
}

}  // namespace

std::vector<std::string> InstalledFileNames(std::string_view logBytes) {
  const std::string decoded = text::FromGb(logBytes.substr(0, logBytes.find('\0')));
  std::string_view logUtf8 = decoded;
  std::vector<std::string> names;
  size_t pos = 0;
  while (pos < logUtf8.size()) {
    size_t end = logUtf8.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = logUtf8.size();
    std::string_view line = logUtf8.substr(pos, end - pos);
    pos = end + 1;
    if (line.compare(0, sizeof kFileTag - 1, kFileTag) != 0) continue;
    std::string name = NormaliseName(line);
    if (name.find(kUninstallerName) != std::string::npos) continue;
    names.push_back(std::move(name));
  }
  return names;
}

std::optional<std::string> ResolveInstalledFile(const std::string& folder, const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (IsFullPath(name)) return name;
  if (name[0] == '\\' || name[0] == '/') return std::nullopt;
  std::vector<std::string_view> parts;
  std::string_view rest = name;
  while (!rest.empty()) {
    size_t sep = rest.find_first_of("\\/");
    std::string_view part = rest.substr(0, sep);
    rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 1);
    if (part.empty()) continue;
    switch (KindOf(part)) {
      case PartKind::kName:
        parts.push_back(part);
        break;
      case PartKind::kCurrent:
        break;
      case PartKind::kParent:
        if (parts.empty()) return std::nullopt;
        parts.pop_back();
        break;
      case PartKind::kRefused:
        return std::nullopt;
    }
  }
  if (parts.empty()) return std::nullopt;
  std::string path = folder;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) path += '\\';
    path += parts[i];
  }
  return path;
}

std::string RemainingLog(const std::vector<std::string>& names) {
  std::string log;
  for (const std::string& name : names) log += std::string(kFileTag) + " " + name + "\r\n";
  log += std::string(kFileTag) + " \\" + kInstallLogName + "\r\n";
  return text::ToGb(log);
}

}  // namespace uninstall
