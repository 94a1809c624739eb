// Record files (the plan file, the ledger's entry files): a sequence of
// records of two CR LF lines in GBK,
//   ||TIME:2012-05-28 14:55
//   ||CONTENT:first line-----CR-----LF-----second line
// a head after "||TIME:" (a plan's time, an entry's "type*time*amount") and
// a content. An empty content is stored as "NULL"; line breaks inside the
// content are stored as the escape. Lines that start with "//" are comments,
// skipped wherever they stand; a file may give one comment marker whose line
// between a record's two lines carries a note of that record (a plan's
// repeat rule), which readers that know no notes skip as every comment.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Record files hold far more than section files: a ledger of 100,000
// entries takes some 10 MB.
constexpr uint64_t kMaxRecordFileBytes = 256u << 20;
constexpr const char* kRecordBackupSuffix = ".bak";

constexpr std::string_view kTimeMarker = "||TIME:";
constexpr std::string_view kContentMarker = "||CONTENT:";
constexpr std::string_view kEmptyContent = "NULL";
constexpr std::string_view kLineBreakEscape = "-----CR-----LF-----";

// The stored form of a content and back. Every line break (CR LF, and a lone
// CR or LF, which would otherwise split the record) is stored as the escape
// and reads back as CR LF.
std::string EncodeContent(std::string_view content);
std::string DecodeContent(std::string_view stored);

enum RecordReadResult {
  kRecordsRead = 0,
  kRecordFileMissing = 1,     // no file: no records
  kRecordFileDamaged = 2,     // read, but lines that belong to no record were skipped, or
                              // bytes (a NUL, no GB18030) that a rewrite would change
  kRecordFileUnreadable = 3,  // there, but it could not be read (too large, no rights)
};

// Calls deliver(head, content, note) for every record in file order; note is
// the text after noteMarker on the record's last such line ("" when it has
// none, or noteMarker is empty). A damaged record (a line that is not where
// a record line should be, a time line without its content line) is skipped
// and reading goes on at the next "||TIME:" line. Returns a RecordReadResult.
int ForEachRecord(
    const std::string& path, std::string_view noteMarker,
    const std::function<void(const std::string& head, std::string content, const std::string& note)>& deliver);

// Removes what writes of the file and of its ".bak" that were killed before
// their move left beside them (see file::RemoveStaleTemps).
void RemoveStaleTempsOf(const std::string& path);

enum RecordBackup { kNoBackup, kKeepOldAsBackup };

// Collects records, then rewrites a record file whole with them.
class CRecordWriter {
 public:
  explicit CRecordWriter(std::string_view noteMarker = {}) : noteMarker_(noteMarker) {}

  // A note is written on a line of its own after the noteMarker (none
  // without one); a note that holds a line break would split the record, so
  // it is not written.
  void Add(std::string_view head, std::string_view content, std::string_view note = {});

  // Rewrites the file atomically. With kKeepOldAsBackup the old file is first
  // copied to path + ".bak" (used after a read met damaged lines, so nothing
  // of the old file is lost); when that copy fails nothing is written.
  // Temporary files that killed writes left beside the file go first.
  // Returns 0 when written, 1 otherwise.
  int Write(const std::string& path, RecordBackup backup = kNoBackup) const;

 private:
  std::string noteMarker_;
  std::string text_;  // UTF-8
};
