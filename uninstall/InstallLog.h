// The installer's log "install.log": one "[FILE] name" line per installed
// file. The uninstaller deletes what it names, except itself.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uninstall {

constexpr char kInstallLogName[] = "install.log";
constexpr char kFileTag[] = "[FILE]";
// Any entry containing this name is never deleted: it is the running program.
constexpr char kUninstallerName[] = "uninstall.exe";
// The log is read whole; a larger file is not a log of ours.
constexpr size_t kMaxInstallLogBytes = 16u << 20;

// The file names that the log lists, in file order, each normalised:
// the text after the first blank (the whole line when there is none), a
// leading backslash made a blank, ASCII letters in lower case, white space
// trimmed. Only lines that begin exactly with "[FILE]" count; entries that
// contain "uninstall.exe" are left out. Lines end at CR, LF or both and may
// be of any length; the text ends at a NUL byte. logBytes is the file as it
// is, GBK text; the names come back in UTF-8.
std::vector<std::string> InstalledFileNames(std::string_view logBytes);

// Where a normalised log name lies. A full path ("c:\...") is taken as it
// is: our installer may log them. Any other name is relative to folder (the
// uninstaller's folder, ending in a backslash) and must stay inside it:
// names that climb out with "..", start at a drive's root, name another
// drive or a stream, or name nothing give no path.
std::optional<std::string> ResolveInstalledFile(const std::string& folder, const std::string& name);

// The log that an uninstall which could not delete every file leaves for the
// next run: one "[FILE] name" line per name (normalised names, UTF-8 in,
// GBK out), then the log's own line.
std::string RemainingLog(const std::vector<std::string>& names);

}  // namespace uninstall
