// Helper of tools/bench-png.sh (native):
//   png_bench bmp32 IN.bmp OUT.bmp
//       rewrites a 24-bit BMP as the 32-bit file a capture writes
//   png_bench encode IN.bmp OUT.png RUNS [LEVEL STRATEGY MEMLEVEL THREADS STRIPS]
//       encodes the BMP's pixels to OUT.png RUNS times and prints
//       "ms=MEDIAN size=BYTES": each run's time from the pixels in memory
//       to the complete file written and closed
// Exit code 0 on success, 1 on a failure, 2 on bad usage.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture/BmpLayout.h"
#include "capture/PngEncoder.h"
#include "common/File.h"

namespace {

bool LoadBmp(const char* path, std::string& bytes, PngSource& source) {
  if (!file::ReadAll(path, bytes, 1u << 30) ||
      !PngSourceFromBmp(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), source)) {
    std::fprintf(stderr, "png_bench: %s is not a 24- or 32-bit BMP\n", path);
    return false;
  }
  return true;
}

int Bmp32(const char* in, const char* out) {
  std::string bytes;
  PngSource s;
  if (!LoadBmp(in, bytes, s)) return 1;
  BmpLayout l;
  if (!ComputeBmpLayout(s.width, s.height, 1, 32, l)) return 1;
  std::string file = BmpHeaderBytes(l);
  file.resize(l.offBits + l.blockSize, '\0');
  for (int y = 0; y < s.height; ++y) {
    const unsigned char* from = s.rows + s.stride * static_cast<size_t>(y);
    char* to = &file[l.offBits + static_cast<size_t>(l.stride) * static_cast<size_t>(y)];
    for (int x = 0; x < s.width; ++x) {
      to[4 * x] = static_cast<char>(from[s.bytesPerPixel * x]);
      to[4 * x + 1] = static_cast<char>(from[s.bytesPerPixel * x + 1]);
      to[4 * x + 2] = static_cast<char>(from[s.bytesPerPixel * x + 2]);
    }
  }
  return file::WriteAtomic(out, file) ? 0 : 1;
}

int Encode(int argc, char** argv) {
  std::string bytes;
  PngSource s;
  if (!LoadBmp(argv[2], bytes, s)) return 1;
  const int runs = std::max(1, std::atoi(argv[4]));
  PngOptions o;
  if (argc > 5) o.level = std::atoi(argv[5]);
  if (argc > 6) o.strategy = std::atoi(argv[6]);
  if (argc > 7) o.memLevel = std::atoi(argv[7]);
  if (argc > 8) o.threads = std::atoi(argv[8]);
  if (argc > 9) o.strips = std::atoi(argv[9]);
  std::vector<double> ms;
  size_t size = 0;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    std::string png;
    if (!EncodePng(s, png, o)) return 1;
    file::FilePtr f = file::Open(argv[3], "wb");
    if (!f || std::fwrite(png.data(), 1, png.size(), f.get()) != png.size() || std::fclose(f.release()) != 0)
      return 1;
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    size = png.size();
  }
  std::sort(ms.begin(), ms.end());
  std::printf("ms=%.1f size=%zu\n", ms[ms.size() / 2], size);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "bmp32" && argc == 4) return Bmp32(argv[2], argv[3]);
  if (mode == "encode" && argc >= 5 && argc <= 10) return Encode(argc, argv);
  std::fprintf(stderr, "usage: png_bench bmp32 IN.bmp OUT.bmp | encode IN.bmp OUT.png RUNS [LEVEL STRATEGY MEMLEVEL THREADS STRIPS]\n");
  return 2;
}
