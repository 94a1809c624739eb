// PNG files by our own encoder (capture/PngEncoder.h), on every core.
#pragma once
#include "capture/win/EncodedWriter.h"

class CPngWriter : public CEncodedWriter {
 public:
  explicit CPngWriter(std::string folder);

 protected:
  bool Encode(const PixelRows& pixels, std::string& out) override;
};
