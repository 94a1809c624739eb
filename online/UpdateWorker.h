// The update step of a run: fetch the information page from the update
// service until a complete one arrives, put it in use, then install the files
// its update list names whose local MD5 digests differ. A new program file is
// staged as "data\brova_new.exe" for the outside updater.
#pragma once
#include <functional>
#include <string>
#include <string_view>

constexpr int kProgramVersion = 102;
constexpr int kFirstWaitMs = 10000;       // after the program starts
constexpr int kRetryWaitMs = 5 * 60000;   // between attempts at the page

// Relative to the program folder.
constexpr char kDownloadedPagePath[] = "data\\main2.htm";
constexpr char kPageInUsePath[] = "data\\main.htm";
constexpr char kDownloadTempPath[] = "data\\data_tmp.dat";
// Zip packages are unpacked here, apart from our own files; the folder goes
// again after each package.
constexpr char kUnpackFolder[] = "data\\unpack\\";
constexpr char kStagedProgramPath[] = "data\\brova_new.exe";
constexpr char kProgramPath[] = "brova.exe";

// Downloads url into localPath: 0 on success (the body may still be bad).
using FetchFunction = std::function<int(const std::string& url, const std::string& localPath)>;
// Waits the given time; false when the worker should stop instead. The
// worker also asks with 0 between list entries.
using WaitFunction = std::function<bool(int milliseconds)>;

struct UpdateContext {
  // The program folder, a full path with its trailing separator: folders
  // along the listed paths are made from the drive on (MakeFolderPath).
  std::string folder;
  std::string siteBaseUrl;
  int version = kProgramVersion;
  FetchFunction fetch;
  WaitFunction wait;
  // The pause before the first attempt; 0 when the caller has waited already.
  int firstWaitMs = kFirstWaitMs;
};

// The real services in programFolder: SiteBaseUrl(), HttpGetToFile and a
// sleeping wait.
UpdateContext DefaultUpdateContext(const std::string& programFolder);

// base + "/brova/main.asp?V=<version>&times=<times>".
std::string InformationPageUrl(const std::string& base, int version, int times);

// One line of the update list: "<md5> <path> <url>".
struct UpdateListEntry {
  std::string digest;
  std::string path;  // as listed (GBK bytes)
  std::string url;
};
// False for a line of fewer than three words or with a word longer than its
// limit (51 bytes for the digest, 255 for the path and the URL).
bool ParseUpdateListLine(std::string_view line, UpdateListEntry& entry);

// Runs the whole update step; returns 0 when done or told to stop.
int RunUpdateWorker(const UpdateContext& context);

// What the update thread runs: the whole step with the real services in
// programFolder, waiting with wait, which ends the worker when it says so,
// after a first pause of firstWaitMs.
int UpdateWorker(const std::string& programFolder, WaitFunction wait, int firstWaitMs = kFirstWaitMs);

// 1 when "data\brova_new.exe" and "brova.exe" both exist and their MD5
// digests differ; 0 otherwise (also when either cannot be read).
int IsNewVersionStaged(const std::string& folder = "");
