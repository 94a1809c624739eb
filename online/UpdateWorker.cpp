#include "online/UpdateWorker.h"

#include <chrono>
#include <thread>
#include <vector>

#include "common/File.h"
#include "common/TempFile.h"
#include "common/FolderPath.h"
#include "common/Text.h"
#include "common/WholeFile.h"
#include "online/FileStatus.h"
#include "online/HttpGet.h"
#include "online/Md5.h"
#include "online/SafePath.h"
#include "online/Site.h"
#include "online/ZipReader.h"

namespace {

// Line buffers of the page: while the end marker is searched, and from the
// update list on. A longer line is cut to the buffer less one byte.
constexpr size_t kPageLineBuffer = 3072;
constexpr size_t kListLineBuffer = 1024;
constexpr size_t kPageLineMax = kPageLineBuffer - 1;
constexpr size_t kListLineMax = kListLineBuffer - 1;
constexpr size_t kMaxDigestWord = 51;
constexpr size_t kMaxPathWord = 255;
constexpr size_t kMaxUrlWord = 255;
constexpr char kPageEndMarker[] = "MAIN_PAGE_END";
constexpr char kListBegin[] = "[FILE_LIST_BEGIN]";
constexpr char kListEnd[] = "[FILE_LIST_END]";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool SameDigest(const std::string& path, const std::string& digest) {
  std::string actual;
  FileMd5Hex(path, actual);
  return actual == digest;
}

// Copies from over to through a temporary file beside to, so that to is
// either its old self or the whole new file. Like a copy by the system, it
// keeps the modified time of from.
bool InstallCopy(const std::string& from, const std::string& to) {
  file::FilePtr in = file::Open(from, "rb");
  if (!in) return false;
  file::CTempFile temp(to);
  if (!temp) return false;
  std::vector<char> buffer(64 * 1024);
  bool ok = true;
  size_t n;
  while (ok && (n = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0) ok = temp.Write(buffer.data(), n);
  ok = ok && !std::ferror(in.get());
  ok = temp.Close(false) && ok;
  if (ok) filestatus::CopyModifiedTime(from, temp.path());  // cosmetic: the file is good without it
  return ok && temp.ReplaceOver(to);
}

void InstallListedFile(const UpdateContext& context, const UpdateListEntry& entry) {
  std::string relative = text::FromGb(entry.path);
  if (!IsSafeRelativePath(relative)) return;  // nothing is written outside the program folder
  std::string target = context.folder + relative;
  if (SameDigest(target, entry.digest)) return;

  MakeFolderPath(target);
  std::string download = context.folder + kDownloadTempPath;
  if (context.fetch(entry.url, download) != 0) {
    file::Remove(download);
    return;
  }
  std::string received = download;
  bool isPackage = entry.url.size() >= 4 && entry.url.compare(entry.url.size() - 4, 4, ".zip") == 0;
  bool usable = true;
  std::string unpackFolder = context.folder + kUnpackFolder;
  if (isPackage) {
    MakeFolderPath(unpackFolder);
    usable = ExtractFirstEntry(download, received, unpackFolder) == 0;
  }
  if (usable && SameDigest(received, entry.digest)) InstallCopy(received, target);
  if (received != download && !received.empty()) file::Remove(received);
  file::Remove(download);
  if (isPackage) filestatus::RemoveEmptyFolder(unpackFolder);
}

}  // namespace

UpdateContext DefaultUpdateContext(const std::string& programFolder) {
  UpdateContext context;
  context.folder = programFolder;
  context.siteBaseUrl = SiteBaseUrl();
  context.fetch = [](const std::string& url, const std::string& path) { return HttpGetToFile(url, path); };
  context.wait = [](int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
  };
  return context;
}

std::string InformationPageUrl(const std::string& base, int version, int times) {
  return base + text::Format("/brova/main.asp?V=%d&times=%d", version, times);
}

bool ParseUpdateListLine(std::string_view line, UpdateListEntry& entry) {
  std::string_view words[3];
  size_t count = 0, i = 0;
  while (count < 3) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    words[count++] = line.substr(start, i - start);
  }
  if (count < 3 || words[0].size() > kMaxDigestWord || words[1].size() > kMaxPathWord ||
      words[2].size() > kMaxUrlWord)
    return false;
  entry.digest = std::string(words[0]);
  entry.path = std::string(words[1]);
  entry.url = std::string(words[2]);
  return true;
}

int RunUpdateWorker(const UpdateContext& context) {
  if (!context.wait(context.firstWaitMs)) return 0;
  MakeFolderPath(context.folder + "data\\");
  std::string pagePath = context.folder + kDownloadedPagePath;
  CWholeFile page;
  std::string line;
  for (int times = 1;; ++times) {
    if (context.fetch(InformationPageUrl(context.siteBaseUrl, context.version, times), pagePath) == 0 &&
        page.Load(pagePath) == CWholeFile::kLoaded && page.SeekPrefix(kPageEndMarker, line, kPageLineMax) == 0)
      break;
    if (!context.wait(kRetryWaitMs)) return 0;
  }

  // The management center may read the page in use at any moment: replace it whole.
  InstallCopy(pagePath, context.folder + kPageInUsePath);

  page.Rewind();
  if (page.SeekPrefix(kListBegin, line, kListLineMax) != 0) return 0;
  while (page.NextContentLine(line, kListLineMax) == 0 && line != kListEnd) {
    UpdateListEntry entry;
    if (ParseUpdateListLine(line, entry)) InstallListedFile(context, entry);
    // A stop asked for while this entry was downloaded ends the list here.
    if (!context.wait(0)) return 0;
  }
  return 0;
}

int UpdateWorker(const std::string& programFolder, WaitFunction wait, int firstWaitMs) {
  UpdateContext context = DefaultUpdateContext(programFolder);
  context.wait = std::move(wait);
  context.firstWaitMs = firstWaitMs;
  return RunUpdateWorker(context);
}

int IsNewVersionStaged(const std::string& folder) {
  std::string staged = folder + kStagedProgramPath, program = folder + kProgramPath;
  if (!file::Exists(staged) || !file::Exists(program)) return 0;
  std::string stagedDigest, programDigest;
  if (FileMd5Hex(staged, stagedDigest) != 0 || FileMd5Hex(program, programDigest) != 0) return 0;
  return stagedDigest != programDigest ? 1 : 0;
}
