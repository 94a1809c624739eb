#include "capture/PngEncoder.h"

#include <emmintrin.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "common/File.h"

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kColourTypeRgb = 2;
constexpr int kBitDepth = 8;
constexpr uint32_t kMaxChunkData = 1u << 30;  // below PNG's 2^31 - 1
constexpr uint32_t kMaxDimension = 0x7FFFFFFF;
// A row's filtered bytes stay far below what zlib's 32-bit counters take.
constexpr uint64_t kMaxRowBytes = 1u << 28;
constexpr int kMostThreads = 64;
// Pictures smaller than this are encoded on the calling thread in one strip.
constexpr uint64_t kMinThreadedBytes = 256u << 10;
// Tuned at 3840x2160 on flat, photo-like and text screens (tools/bench-png.sh).
constexpr int kDefaultLevel = 3;
constexpr int kDefaultMemLevel = 6;

enum Filter : unsigned char { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

inline uint32_t Magnitude(unsigned char v) { return v < 128 ? v : 256u - v; }

// Each byte read as signed, made absolute: min(v, -v) as unsigned bytes.
inline __m128i AbsBytes(__m128i v) { return _mm_min_epu8(v, _mm_sub_epi8(_mm_setzero_si128(), v)); }
inline __m128i SumBytes(__m128i sum, __m128i v) {
  return _mm_add_epi64(sum, _mm_sad_epu8(AbsBytes(v), _mm_setzero_si128()));
}
inline __m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }

// The Paeth guesses of 8 bytes widened to 16 bits: a (left), b (above) or
// c (above left), whichever is nearest to a + b - c, in that order on ties;
// as masks: 0xFFFF where a is the guess, and where b is when a is not.
inline void PaethMasks(__m128i a, __m128i b, __m128i c, __m128i& takeA, __m128i& takeB) {
  const __m128i bc = _mm_sub_epi16(b, c), ac = _mm_sub_epi16(a, c);
  const __m128i pa = Abs16(bc), pb = Abs16(ac), pc = Abs16(_mm_add_epi16(bc, ac));
  takeA = _mm_andnot_si128(_mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc)), _mm_set1_epi16(-1));
  takeB = _mm_andnot_si128(_mm_cmpgt_epi16(pb, pc), _mm_set1_epi16(-1));
}

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// The picture's row y counted from the top, as RGB. A pixel read as a
// little-endian word is X R G B from the top byte down (or the next
// pixel's first byte in place of X); byte-swapped and shifted it is R G B 0
// in memory order, and the next pixel's store covers the 0.
void RgbRow(const PngSource& s, int y, unsigned char* out) {
  const unsigned char* in = s.rows + static_cast<size_t>(s.height - 1 - y) * s.stride;
  const int n = s.width, step = s.bytesPerPixel;
  for (int x = 0; x + 1 < n; ++x) {
    uint32_t v;
    std::memcpy(&v, in + step * x, 4);
    v = __builtin_bswap32(v) >> 8;
    std::memcpy(out + 3 * x, &v, 4);
  }
  const int last = n - 1;  // its word could reach past the rows
  out[3 * last] = in[step * last + 2];
  out[3 * last + 1] = in[step * last + 1];
  out[3 * last + 2] = in[step * last];
}

// Filters row (n bytes, prior the row above it or zeros) with each of the
// five filters into the candidates and copies the one whose bytes, read as
// signed, have the smallest sum of absolute values into out (its type first).
class RowFilter {
 public:
  explicit RowFilter(size_t n) : n_(n), candidates_(4 * n) {}

  void Filter(const unsigned char* row, const unsigned char* prior, unsigned char* out) {
    const size_t n = n_;
    unsigned char* sub = candidates_.data();
    unsigned char* up = sub + n;
    unsigned char* avg = up + n;
    unsigned char* paeth = avg + n;
    if (std::memcmp(row, prior, n) == 0) {  // Up leaves nothing but zeros
      out[0] = kUp;
      std::memset(out + 1, 0, n);
      return;
    }
    uint64_t sums[5] = {0, 0, 0, 0, 0};
    // The first pixel has no left neighbour; the row's end past the last
    // 16 bytes is done one byte at a time.
    const size_t lead = std::min<size_t>(3, n);
    const size_t blocksEnd = n < 19 ? lead : lead + (n - lead) / 16 * 16;
    for (size_t i = 0; i < n; ++i) {
      if (i == lead) i = blocksEnd;
      if (i >= n) break;
      const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
      const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
      const int predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
      sub[i] = static_cast<unsigned char>(row[i] - a);
      up[i] = static_cast<unsigned char>(row[i] - b);
      avg[i] = static_cast<unsigned char>(row[i] - ((a + b) >> 1));
      paeth[i] = static_cast<unsigned char>(row[i] - predicted);
      sums[kNone] += Magnitude(row[i]);
      sums[kSub] += Magnitude(sub[i]);
      sums[kUp] += Magnitude(up[i]);
      sums[kAverage] += Magnitude(avg[i]);
      sums[kPaeth] += Magnitude(paeth[i]);
    }
    const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi8(1);
    __m128i sumNone = zero, sumSub = zero, sumUp = zero, sumAvg = zero, sumPaeth = zero;
    for (size_t i = lead; i < blocksEnd; i += 16) {
      auto load = [i](const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)); };
      auto store = [i](unsigned char* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v); };
      const __m128i x = load(row), a = load(row - 3), b = load(prior), c = load(prior - 3);
      const __m128i s = _mm_sub_epi8(x, a), u = _mm_sub_epi8(x, b);
      // _mm_avg_epu8 rounds up; the filter's average rounds down.
      const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), one));
      const __m128i v = _mm_sub_epi8(x, mean);
      __m128i lowA, lowB, highA, highB;
      PaethMasks(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(c, zero), lowA, lowB);
      PaethMasks(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(c, zero), highA, highB);
      const __m128i takeA = _mm_packs_epi16(lowA, highA), takeB = _mm_packs_epi16(lowB, highB);
      const __m128i p = _mm_sub_epi8(x, Select(takeA, a, Select(takeB, b, c)));
      store(sub, s);
      store(up, u);
      store(avg, v);
      store(paeth, p);
      sumNone = SumBytes(sumNone, x);
      sumSub = SumBytes(sumSub, s);
      sumUp = SumBytes(sumUp, u);
      sumAvg = SumBytes(sumAvg, v);
      sumPaeth = SumBytes(sumPaeth, p);
    }
    auto total = [](__m128i v) {
      return static_cast<uint64_t>(_mm_cvtsi128_si64(v)) + static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(v, v)));
    };
    sums[kNone] += total(sumNone);
    sums[kSub] += total(sumSub);
    sums[kUp] += total(sumUp);
    sums[kAverage] += total(sumAvg);
    sums[kPaeth] += total(sumPaeth);
    int best = kNone;
    for (int f = kSub; f <= kPaeth; ++f)
      if (sums[f] < sums[best]) best = f;
    out[0] = static_cast<unsigned char>(best);
    const unsigned char* chosen = best == kNone ? row : candidates_.data() + (best - 1) * n;
    std::memcpy(out + 1, chosen, n);
  }

 private:
  size_t n_;
  std::vector<unsigned char> candidates_;
};

// One horizontal strip of the picture compressed on its own: raw deflate
// that ends on a full flush (on the final block for the last strip), so the
// strips joined in order are one deflate stream.
struct Strip {
  int top = 0;
  int bottom = 0;  // one past the last row
  std::unique_ptr<unsigned char[]> bytes;
  size_t size = 0;
  uLong adler = 0;
  uLong filteredBytes = 0;
  bool ok = false;
};

// zlib's adler32 16 bytes at a time: over a block of 16 bytes the first
// sum grows by their total and the second by 16 times the first sum before
// them plus the bytes weighted 16 down to 1. Blocks run at most 5536 bytes
// between the reductions modulo 65521, as zlib's do, so nothing overflows.
uLong Adler32(uLong adler, const unsigned char* p, size_t size) {
  constexpr uint64_t kBase = 65521;
  constexpr size_t kMostBetweenReductions = 5536;
  uint64_t first = adler & 0xFFFF, second = adler >> 16;
  const __m128i zero = _mm_setzero_si128();
  const __m128i weightsLow = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
  const __m128i weightsHigh = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
  auto lanes = [](__m128i v) {
    alignas(16) uint32_t l[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(l), v);
    return static_cast<uint64_t>(l[0]) + l[1] + l[2] + l[3];
  };
  while (size >= 16) {
    const size_t run = std::min(size, kMostBetweenReductions) / 16 * 16;
    __m128i sums = zero, priorSums = zero, weighted = zero;
    for (size_t i = 0; i < run; i += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      priorSums = _mm_add_epi32(priorSums, sums);
      sums = _mm_add_epi32(sums, _mm_sad_epu8(bytes, zero));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), weightsLow));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), weightsHigh));
    }
    second = (second + first * run + 16 * lanes(priorSums) + lanes(weighted)) % kBase;
    first = (first + lanes(sums)) % kBase;
    p += run;
    size -= run;
  }
  for (size_t i = 0; i < size; ++i) {
    first += p[i];
    second += first;
  }
  return static_cast<uLong>(first % kBase | second % kBase << 16);
}

// The Adler-32 sum after count more zero bytes: each adds the first sum to the second.
uLong AdlerOfZeros(uLong adler, size_t count) {
  constexpr uLong kBase = 65521;
  const uLong first = adler & 0xFFFF, second = adler >> 16;
  return first | (second + static_cast<uLong>(count % kBase) * first) % kBase << 16;
}

// How zlib is asked to compress a group of rows.
enum class RowKind { kRuns, kMatches };

// Rows go to zlib in groups of at most 16 KB (at 3840 wide a row each; a
// larger group compresses text worse), each compressed the way most of
// its rows want. Runs (Z_RLE) suit rows of few zeros after their filter
// (photographs, gradients), where short matches cost more than they save,
// and rows of almost nothing but zeros (a plain desktop), whose long runs
// cost fewer bits as runs than as far matches; the rows between (text,
// window frames), whose shapes repeat, get matches at the level asked for.
// Tuned at 3840x2160 (tools/bench-png.sh).
constexpr size_t kGroupBytes = 16u << 10;
constexpr size_t kDenseZerosPercent = 50;
constexpr size_t kPlainZerosPercent = 99;

RowKind KindOf(const unsigned char* filtered, size_t n) {
  // Zeros counted in byte lanes (each compare adds 1 as 0xFF subtracted),
  // summed before a lane could pass 255.
  const __m128i zero = _mm_setzero_si128();
  size_t zeros = 0, i = 0;
  while (i + 16 <= n) {
    const size_t end = std::min(n, i + 255 * 16);
    __m128i counts = zero;
    for (; i + 16 <= end; i += 16)
      counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(filtered + i)), zero));
    const __m128i sums = _mm_sad_epu8(counts, zero);
    zeros += static_cast<size_t>(_mm_cvtsi128_si32(sums)) + static_cast<size_t>(_mm_extract_epi16(sums, 4));
  }
  for (; i < n; ++i) zeros += filtered[i] == 0;
  const size_t percent = zeros * 100 / n;
  return percent < kDenseZerosPercent || percent >= kPlainZerosPercent ? RowKind::kRuns : RowKind::kMatches;
}

bool CompressStrip(const PngSource& s, const PngOptions& o, bool last, Strip& strip) {
  const size_t n = static_cast<size_t>(s.width) * 3;
  const size_t sourceRow = static_cast<size_t>(s.width) * static_cast<size_t>(s.bytesPerPixel);
  const int groupRows = static_cast<int>(std::max<size_t>(1, kGroupBytes / (n + 1)));
  std::vector<unsigned char> rows(2 * n);
  std::vector<unsigned char> group((n + 1) * static_cast<size_t>(groupRows));
  unsigned char* prior = rows.data();
  unsigned char* row = prior + n;
  if (strip.top > 0) RgbRow(s, strip.top - 1, prior);

  const bool adaptive = o.strategy < 0;
  RowKind current = RowKind::kMatches;
  z_stream z{};
  if (deflateInit2(&z, o.level, Z_DEFLATED, -15, o.memLevel, adaptive ? Z_DEFAULT_STRATEGY : o.strategy) != Z_OK)
    return false;
  strip.filteredBytes = static_cast<uLong>(n + 1) * static_cast<uLong>(strip.bottom - strip.top);
  const uLong bound = deflateBound(&z, strip.filteredBytes) + 16;
  strip.bytes.reset(new (std::nothrow) unsigned char[bound]);
  if (!strip.bytes) {
    deflateEnd(&z);
    return false;
  }
  z.next_out = strip.bytes.get();
  z.avail_out = static_cast<uInt>(bound);
  strip.adler = adler32(0, nullptr, 0);
  RowFilter filter(n);
  bool ok = true;
  for (int y = strip.top; y < strip.bottom && ok; y += groupRows) {
    const int count = std::min(groupRows, strip.bottom - y);
    int runRows = 0;
    for (int k = 0; k < count; ++k) {
      unsigned char* filtered = group.data() + (n + 1) * static_cast<size_t>(k);
      const unsigned char* in = s.rows + static_cast<size_t>(s.height - 1 - (y + k)) * s.stride;
      if (y + k > 0 && std::memcmp(in, in + s.stride, sourceRow) == 0) {
        // The row above again: Up leaves zeros, and prior stays as it is.
        filtered[0] = kUp;
        std::memset(filtered + 1, 0, n);
        strip.adler = AdlerOfZeros(Adler32(strip.adler, filtered, 1), n);
        ++runRows;
        continue;
      }
      RgbRow(s, y + k, row);
      filter.Filter(row, prior, filtered);
      std::swap(prior, row);
      strip.adler = Adler32(strip.adler, filtered, n + 1);
      if (adaptive && KindOf(filtered + 1, n) == RowKind::kRuns) ++runRows;
    }
    const RowKind kind = 2 * runRows > count ? RowKind::kRuns : RowKind::kMatches;
    if (adaptive && kind != current) {
      const int r = deflateParams(&z, o.level, kind == RowKind::kRuns ? Z_RLE : Z_DEFAULT_STRATEGY);
      ok = r == Z_OK || r == Z_BUF_ERROR;
      current = kind;
    }
    z.next_in = group.data();
    z.avail_in = static_cast<uInt>((n + 1) * static_cast<size_t>(count));
    const bool end = y + count == strip.bottom;
    const int flush = !end ? Z_NO_FLUSH : last ? Z_FINISH : Z_FULL_FLUSH;
    const int r = deflate(&z, flush);
    ok = ok && (r == Z_OK || r == Z_STREAM_END || r == Z_BUF_ERROR) && z.avail_in == 0;
    if (end && last) ok = ok && r == Z_STREAM_END;
  }
  strip.size = bound - z.avail_out;
  deflateEnd(&z);
  return ok;
}

void Put32(std::string& out, uint32_t v) {
  const char b[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                     static_cast<char>(v)};
  out.append(b, 4);
}

struct Piece {
  const unsigned char* data;
  size_t size;
};

// A chunk of the given type whose data is the pieces in order.
void PutChunk(std::string& out, const char* type, std::initializer_list<Piece> pieces) {
  size_t length = 0;
  for (const Piece& p : pieces) length += p.size;
  Put32(out, static_cast<uint32_t>(length));
  const size_t start = out.size();
  out.append(type, 4);
  for (const Piece& p : pieces)
    if (p.size) out.append(reinterpret_cast<const char*>(p.data), p.size);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(out.data() + start), static_cast<uInt>(out.size() - start));
  Put32(out, static_cast<uint32_t>(crc));
}

// The two bytes that open a zlib stream of a 32 KB window at this level.
void ZlibHeader(int level, unsigned char out[2]) {
  const int flevel = level == 1 ? 0 : level < 6 && level >= 0 ? 1 : level == 6 || level < 0 ? 2 : 3;
  const unsigned cmf = 0x78;
  unsigned flg = static_cast<unsigned>(flevel) << 6;
  flg += 31 - (cmf * 256 + flg) % 31;
  out[0] = static_cast<unsigned char>(cmf);
  out[1] = static_cast<unsigned char>(flg);
}

bool ValidSource(const PngSource& s, size_t& stride) {
  if (!s.rows || s.width <= 0 || s.height <= 0) return false;
  if (s.bytesPerPixel != 3 && s.bytesPerPixel != 4) return false;
  const uint64_t rowIn = static_cast<uint64_t>(s.width) * static_cast<uint64_t>(s.bytesPerPixel);
  if (static_cast<uint64_t>(s.width) * 3 + 1 > kMaxRowBytes) return false;
  stride = s.stride ? s.stride : static_cast<size_t>((rowIn + 3) / 4 * 4);
  return stride >= rowIn && static_cast<uint32_t>(s.width) <= kMaxDimension &&
         static_cast<uint32_t>(s.height) <= kMaxDimension;
}

}  // namespace

bool EncodePng(const PngSource& source, std::string& out, const PngOptions& options) {
  out.clear();
  PngSource s = source;
  if (!ValidSource(source, s.stride)) return false;
  PngOptions o = options;
  if (o.level < 0 || o.level > 9) o.level = kDefaultLevel;
  if (o.memLevel < 1 || o.memLevel > 9) o.memLevel = kDefaultMemLevel;

  const uint64_t rowBytes = static_cast<uint64_t>(s.width) * 3 + 1;
  const uint64_t total = rowBytes * static_cast<uint64_t>(s.height);
  int threads = o.threads > 0 ? o.threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (total < kMinThreadedBytes && o.strips <= 0) threads = 1;
  int strips = o.strips > 0 ? o.strips : threads == 1 ? 1 : 4 * threads;
  // Each strip's filtered bytes must fit zlib's 32-bit counts.
  const uint64_t rowsPerStripMost = std::max<uint64_t>(1, kMaxChunkData / rowBytes);
  strips = static_cast<int>(std::max<uint64_t>(strips, (static_cast<uint64_t>(s.height) + rowsPerStripMost - 1) / rowsPerStripMost));
  strips = std::min(strips, s.height);
  threads = std::min({threads, strips, kMostThreads});

  std::vector<Strip> parts(static_cast<size_t>(strips));
  for (int i = 0; i < strips; ++i) {
    parts[i].top = static_cast<int>(static_cast<int64_t>(s.height) * i / strips);
    parts[i].bottom = static_cast<int>(static_cast<int64_t>(s.height) * (i + 1) / strips);
  }
  std::atomic<int> next{0};
  auto work = [&] {
    for (int i = next++; i < strips; i = next++) {
      try {
        parts[i].ok = CompressStrip(s, o, i + 1 == strips, parts[i]);
      } catch (const std::bad_alloc&) {
        parts[i].ok = false;  // out of memory: the picture has no file, the program goes on
      }
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // the threads already started and this one share the strips
    }
  }
  work();
  for (std::thread& t : helpers) t.join();

  size_t size = sizeof kSignature + 25 + 12 + 2 + 4;
  uLong adler = 0;
  for (int i = 0; i < strips; ++i) {
    if (!parts[i].ok) return false;
    size += parts[i].size + 12 * (1 + parts[i].size / kMaxChunkData);
    adler = i == 0 ? parts[i].adler : adler32_combine(adler, parts[i].adler, static_cast<z_off_t>(parts[i].filteredBytes));
  }
  try {
    out.reserve(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  out.append(reinterpret_cast<const char*>(kSignature), sizeof kSignature);

  unsigned char header[13] = {};
  const uint32_t w = static_cast<uint32_t>(s.width), h = static_cast<uint32_t>(s.height);
  for (int i = 0; i < 4; ++i) {
    header[i] = static_cast<unsigned char>(w >> (24 - 8 * i));
    header[4 + i] = static_cast<unsigned char>(h >> (24 - 8 * i));
  }
  header[8] = kBitDepth;
  header[9] = kColourTypeRgb;  // compression, filter method and interlace stay 0
  PutChunk(out, "IHDR", {{header, sizeof header}});

  unsigned char zlibHeader[2];
  ZlibHeader(o.level, zlibHeader);
  unsigned char trailer[4];
  for (int i = 0; i < 4; ++i) trailer[i] = static_cast<unsigned char>(adler >> (24 - 8 * i));
  for (int i = 0; i < strips; ++i) {
    const Strip& p = parts[i];
    size_t at = 0;
    do {
      const size_t piece = std::min<size_t>(kMaxChunkData, p.size - at);
      const bool first = i == 0 && at == 0;
      const bool end = i + 1 == strips && at + piece == p.size;
      PutChunk(out, "IDAT",
               {{zlibHeader, first ? 2u : 0u}, {p.bytes.get() + at, piece}, {trailer, end ? 4u : 0u}});
      at += piece;
    } while (at < p.size);
  }
  PutChunk(out, "IEND", {});
  return true;
}

bool PngSourceFromBmp(const unsigned char* bmp, size_t size, PngSource& out) {
  constexpr size_t kFileHeader = 14, kInfoHeader = 40;
  if (!bmp || size < kFileHeader + kInfoHeader || bmp[0] != 'B' || bmp[1] != 'M') return false;
  auto u16 = [bmp](size_t at) { return static_cast<uint32_t>(bmp[at] | bmp[at + 1] << 8); };
  auto u32 = [&u16](size_t at) { return u16(at) | u16(at + 2) << 16; };
  const uint32_t offBits = u32(10);
  const uint32_t infoSize = u32(14);
  const int32_t width = static_cast<int32_t>(u32(18));
  const int32_t height = static_cast<int32_t>(u32(22));
  const uint32_t bits = u16(28);
  const uint32_t compression = u32(30);
  if (infoSize < kInfoHeader || compression != 0 || (bits != 24 && bits != 32)) return false;
  if (width <= 0 || height <= 0) return false;  // top-down (negative height) pictures are not captures
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  if (offBits > size || stride * static_cast<uint64_t>(height) > size - offBits) return false;
  out.rows = bmp + offBits;
  out.width = width;
  out.height = height;
  out.bytesPerPixel = static_cast<int>(bits / 8);
  out.stride = static_cast<size_t>(stride);
  return true;
}

bool WritePngFile(const std::string& path, const PngSource& source) {
  std::string png;
  return EncodePng(source, png) && file::WriteAtomic(path, png);
}
