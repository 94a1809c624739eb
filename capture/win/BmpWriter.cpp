#include "capture/win/BmpWriter.h"

#include <algorithm>

#include "capture/win/BandedScreenReader.h"
#include "capture/win/ScreenCapture.h"
#include "common/FolderChain.h"

CBmpWriter::~CBmpWriter() { Abandon(); }

bool CBmpWriter::Begin(const CCapturePicture& picture) {
  if (worker_.joinable() || !picture.GetFile(file_) || picture.height() <= 0) return false;
  stride_ = file_.rowBytes / static_cast<size_t>(picture.height());
  firstPass_ = UseWinePaths();
  worker_ = std::thread([this] {
    SnapshotFile result = Write();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      result_ = std::move(result);
      done_ = true;
    }
    more_.notify_all();
  });
  return true;
}

std::string CBmpWriter::MomentPath() {
  std::unique_lock<std::mutex> lock(mutex_);
  more_.wait(lock, [this] { return taken_ || abandoned_; });
  if (!taken_) GetLocalTime(&moment_);
  return SnapshotPathAt(folder_, moment_, ".bmp");
}

// The file's whole length from the picture's memory while no row is read
// (under Wine). On the virtual machines we measure on, the system's first
// read of each page of a process's memory costs about what a page fault
// does (33 MB: about 50 ms), over the process's own first write to it; the
// pass pays that on this thread while the screen settles, so that writing
// the rows after the read is a plain copy. It ends at the first rows read;
// the file is then written again from its start.
bool CBmpWriter::FirstPass(HANDLE out) {
  size_t done = 0;
  while (done < file_.rowBytes) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (abandoned_ || ready_ > 0) break;
    }
    const size_t part = std::min(file_.rowBytes - done, CBandedScreenReader::kBandBytes);
    if (!WriteFilePart(out, FilePart{file_.rows + done, part})) return false;
    done += part;
  }
  LARGE_INTEGER start{};
  return SetFilePointerEx(out, start, nullptr, FILE_BEGIN) != FALSE;
}

// The headers, then the rows straight from the picture as they are read,
// then the zeros that end the block.
bool CBmpWriter::WriteRows(HANDLE out) {
  if (firstPass_ && !FirstPass(out)) return false;
  if (!WriteFilePart(out, FilePart{file_.headers.data(), file_.headers.size()})) return false;
  size_t done = 0;
  while (done < file_.rowBytes) {
    size_t ready = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      more_.wait(lock, [&] { return abandoned_ || ready_ > done; });
      if (abandoned_) return false;
      ready = ready_;
    }
    if (!WriteFilePart(out, FilePart{file_.rows + done, ready - done})) return false;
    done = ready;
  }
  return WriteFilePart(out, FilePart{nullptr, file_.zeros});
}

SnapshotFile CBmpWriter::Write() {
  // The folders and the temporary file are made now, under a name of this
  // moment; the file takes the capture's name when it is complete.
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string early = SnapshotPathAt(folder_, now, ".bmp");
  CreateFolderChain(early);
  SnapshotFile result;
  std::string chosen;
  result.written = WriteUnderLateName(
      early, [this](HANDLE out) { return WriteRows(out); }, [this] { return MomentPath(); }, chosen);
  result.path = result.written ? chosen : MomentPath();
  return result;
}

void CBmpWriter::RowsRead(int rows) {
  if (!worker_.joinable()) return;
  GdiFlush();  // the rows must be in the picture's memory before the worker reads them
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!taken_) GetLocalTime(&moment_);
    taken_ = true;
    ready_ = std::min(file_.rowBytes, static_cast<size_t>(rows) * stride_);
  }
  more_.notify_all();
}

SnapshotFile CBmpWriter::Finish() {
  if (!worker_.joinable()) return result_;
  // Not the worker's end: under Wine a thread takes a while to go.
  std::unique_lock<std::mutex> lock(mutex_);
  more_.wait(lock, [this] { return done_; });
  return result_;
}

void CBmpWriter::Abandon() {
  if (!worker_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
  }
  more_.notify_all();
  worker_.join();
  // Ready for a new start.
  ready_ = 0;
  abandoned_ = taken_ = done_ = false;
  result_ = SnapshotFile();
}
