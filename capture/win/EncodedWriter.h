// Base of the writers whose files are encoded from the whole picture (PNG,
// JPEG): once every row is read a worker thread encodes the picture and
// commits the file, while the result window is made. When the encoder
// fails the picture is written as BMP instead, and the file says so.
#pragma once
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "capture/win/SnapshotWriter.h"

// 32-bit pixels, blue, green, red and an unused byte, rows bottom-up.
struct PixelRows {
  const unsigned char* rows = nullptr;
  int width = 0;
  int height = 0;
  size_t stride = 0;
};

class CEncodedWriter : public ISnapshotWriter {
 public:
  CEncodedWriter(std::string folder, const char* extension, std::string fallbackNote)
      : folder_(std::move(folder)), extension_(extension), fallbackNote_(std::move(fallbackNote)) {}
  ~CEncodedWriter() override;
  CEncodedWriter(const CEncodedWriter&) = delete;
  CEncodedWriter& operator=(const CEncodedWriter&) = delete;

  bool Begin(const CCapturePicture& picture) override;
  bool started() const override { return picture_ != nullptr; }
  void RowsRead(int rows) override;
  SnapshotFile Finish() override;
  void Abandon() override;

 protected:
  // The file's bytes; false when the picture cannot be encoded. Runs on
  // the worker thread.
  virtual bool Encode(const PixelRows& pixels, std::string& out) = 0;

 private:
  SnapshotFile Write();

  std::string folder_;
  const char* extension_;
  std::string fallbackNote_;
  const CCapturePicture* picture_ = nullptr;
  PixelRows pixels_;
  std::vector<unsigned char> copy_;  // the pixels of a device-compatible picture
  SYSTEMTIME moment_{};
  std::thread worker_;
  SnapshotFile result_;
};

// The BMP file of 32-bit pixels: the bytes the BMP writer gives a picture
// of a 32-bit display.
std::string BmpFileOf(const PixelRows& pixels);
