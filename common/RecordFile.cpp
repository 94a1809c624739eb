#include "common/RecordFile.h"

#include "common/File.h"
#include "common/SectionFile.h"
#include "common/Text.h"

std::string EncodeContent(std::string_view content) {
  if (content.empty()) return std::string(kEmptyContent);
  std::string out;
  out.reserve(content.size());
  for (size_t i = 0; i < content.size(); ++i) {
    char c = content[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
      out += kLineBreakEscape;
    } else {
      out += c;
    }
  }
  return out;
}

std::string DecodeContent(std::string_view stored) {
  // "NULL" is tested before the escapes, so a content of exactly those four
  // letters reads back empty.
  if (stored == kEmptyContent) return std::string();
  std::string out;
  size_t pos = 0;
  for (;;) {
    size_t hit = stored.find(kLineBreakEscape, pos);
    out.append(stored.substr(pos, hit == std::string_view::npos ? std::string_view::npos : hit - pos));
    if (hit == std::string_view::npos) break;
    out += "\r\n";
    pos = hit + kLineBreakEscape.size();
  }
  return out;
}

int ForEachRecord(const std::string& path, std::string_view noteMarker,
                  const std::function<void(const std::string&, std::string, const std::string&)>& deliver) {
  CSectionFile file;
  if (file.Load(path, kMaxRecordFileBytes, CSectionFile::kReadPastNul) != 0)
    return file::Exists(path) ? kRecordFileUnreadable : kRecordFileMissing;
  bool damaged = !file.Exact();
  bool haveTime = false;
  std::string head, note, line;
  while (file.NextLine(line) == 0) {
    std::string_view view(line);
    if (view.substr(0, 2) == "//") {
      // Comments are skipped wherever they stand; a note line belongs to the
      // record whose time line came last.
      if (haveTime && !noteMarker.empty() && view.substr(0, noteMarker.size()) == noteMarker)
        note.assign(line, noteMarker.size());
    } else if (view.substr(0, kTimeMarker.size()) == kTimeMarker) {
      if (haveTime) damaged = true;  // the previous record lost its content line
      head.assign(line, kTimeMarker.size());
      note.clear();
      haveTime = true;
    } else if (haveTime && view.substr(0, kContentMarker.size()) == kContentMarker) {
      deliver(head, DecodeContent(view.substr(kContentMarker.size())), note);
      haveTime = false;
    } else {
      damaged = true;  // skip to the next time line
      haveTime = false;
    }
  }
  if (haveTime) damaged = true;
  return damaged ? kRecordFileDamaged : kRecordsRead;
}

void RemoveStaleTempsOf(const std::string& path) {
  file::RemoveStaleTemps(path);
  file::RemoveStaleTemps(path + kRecordBackupSuffix);
}

void CRecordWriter::Add(std::string_view head, std::string_view content, std::string_view note) {
  text_ += kTimeMarker;
  text_ += head;
  text_ += "\r\n";
  if (!note.empty() && !noteMarker_.empty() && note.find_first_of("\r\n") == std::string_view::npos) {
    text_ += noteMarker_;
    text_ += note;
    text_ += "\r\n";
  }
  text_ += kContentMarker;
  text_ += EncodeContent(content);
  text_ += "\r\n";
}

int CRecordWriter::Write(const std::string& path, RecordBackup backup) const {
  RemoveStaleTempsOf(path);
  if (backup == kKeepOldAsBackup && file::Exists(path)) {
    std::string old;
    if (!file::ReadAll(path, old) || !file::WriteAtomic(path + kRecordBackupSuffix, old)) return 1;
  }
  return file::WriteAtomic(path, text::ToGb(text_)) ? 0 : 1;
}
