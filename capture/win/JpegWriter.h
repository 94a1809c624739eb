// JPEG files through the system's imaging component (WIC, windowscodecs);
// no library of our own.
#pragma once
#include "capture/win/EncodedWriter.h"

class CJpegWriter : public CEncodedWriter {
 public:
  CJpegWriter(std::string folder, int quality);

 protected:
  bool Encode(const PixelRows& pixels, std::string& out) override;

 private:
  int quality_;
};

// The JPEG file of pixels at quality 1-100; false when the imaging
// component is missing or fails. Any thread.
bool EncodeJpeg(const PixelRows& pixels, int quality, std::string& out);
