// The overall bound of one download, from the start of the request to the end
// of the body. The time-out of each receive alone lets a server that sends a
// byte now and then hold the caller for as long as it likes.
#pragma once
#include <cstdint>

// A normal download never meets this bound: it allows floorMs for the
// connection, the request and the header, and then each byte of the body at
// slowBytesPerSecond (slower than a dial-up line), counted once the size is
// known: the Content-Length when the header gives one, and the bytes received
// so far when they are more. Bodies are bounded, so every download is.
struct DownloadDeadline {
  int floorMs = 60000;
  uint32_t slowBytesPerSecond = 4096;

  // Milliseconds allowed for a download whose body has the given size.
  int64_t AllowedMs(uint64_t bodyBytes) const {
    const uint64_t kMaxBytes = uint64_t(1) << 40;  // keeps the product below 2^63
    if (bodyBytes > kMaxBytes) bodyBytes = kMaxBytes;
    uint64_t rate = slowBytesPerSecond ? slowBytesPerSecond : 1;
    return int64_t(floorMs) + static_cast<int64_t>(bodyBytes * 1000 / rate);
  }
};
