// The BMP file of a capture written by a worker thread while the picture's
// rows are still coming: the headers, the rows as they are reported read
// (bottom-up, the file's order), then the zeros that end the pixel block.
// The moment in its name is when the first rows are reported read, so the
// worker may open its temporary file before the capture is taken.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "capture/win/SnapshotWriter.h"

class CBmpWriter : public ISnapshotWriter {
 public:
  explicit CBmpWriter(std::string folder) : folder_(std::move(folder)) {}
  ~CBmpWriter() override;
  CBmpWriter(const CBmpWriter&) = delete;
  CBmpWriter& operator=(const CBmpWriter&) = delete;

  // The picture's pages must be mapped (CCapturePicture::MapPages); false
  // for a picture without file bytes of its own. Under Wine the worker
  // writes over the file's length from the picture's memory until the
  // first rows are read, then from its start again.
  bool Begin(const CCapturePicture& picture) override;
  bool started() const override { return worker_.joinable(); }
  void RowsRead(int rows) override;
  // The worker may still be ending; the destructor waits for it.
  SnapshotFile Finish() override;
  void Abandon() override;

 private:
  SnapshotFile Write();
  bool WriteRows(HANDLE out);
  bool FirstPass(HANDLE out);
  // The file's name for the moment of the capture, once it is known.
  std::string MomentPath();

  std::string folder_;
  CCapturePicture::File file_;
  size_t stride_ = 0;
  bool firstPass_ = false;
  std::thread worker_;
  std::mutex mutex_;
  std::condition_variable more_;
  size_t ready_ = 0;  // bytes of rows read
  bool abandoned_ = false;
  bool taken_ = false;  // moment_ holds the moment of the capture
  bool done_ = false;   // result_ holds the file
  SYSTEMTIME moment_{};
  SnapshotFile result_;
};
