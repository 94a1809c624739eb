// The capture file bytes for every colour class and of capture pictures, the
// free-name rule, the crop and the clipboard offer, on real GDI bitmaps.
#include "capture/win/ScreenCapture.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "capture/BmpLayout.h"
#include "capture/win/BmpWriter.h"
#include "capture/win/ClipboardOffer.h"
#include "capture/win/EncodedWriter.h"
#include "capture/win/SnapshotWriter.h"
#include "common/File.h"
#include "common/Text.h"
#include "tests/support/TempFolder_windows.h"

namespace {

uint32_t Get32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// A DIB section of the given depth whose pixel bytes are a known pattern,
// and for palette depths a palette of known colours.
struct TestDib {
  win::Bitmap bitmap;
  std::vector<unsigned char> bits;  // as the section holds them, bottom-up rows
  std::vector<RGBQUAD> palette;
};

TestDib MakeDib(int width, int height, int bits) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
  } info{};
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  info.h.biWidth = width;
  info.h.biHeight = height;
  info.h.biPlanes = 1;
  info.h.biBitCount = static_cast<WORD>(bits);
  info.h.biCompression = BI_RGB;
  TestDib dib;
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) {
      RGBQUAD q{static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
      info.colors[i] = q;
      dib.palette.push_back(q);
    }
    info.h.biClrUsed = static_cast<DWORD>(1 << bits);
  }
  void* pixels = nullptr;
  win::WindowDc screen(nullptr);
  dib.bitmap.reset(CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0));
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  dib.bits.resize(stride * height);
  for (size_t i = 0; i < dib.bits.size(); ++i) {
    size_t x = i % stride;
    // Padding bytes at the end of a row are not part of the picture.
    dib.bits[i] = x * 8 < static_cast<size_t>(width) * bits ? static_cast<unsigned char>(i * 37 + 11) : 0;
  }
  if (bits == 32)
    for (size_t i = 3; i < dib.bits.size(); i += 4) dib.bits[i] = 0;  // the fourth byte is not kept
  if (pixels) std::memcpy(pixels, dib.bits.data(), dib.bits.size());
  GdiFlush();
  return dib;
}

// The row bits that matter (no padding past the last pixel of a row).
bool SamePixels(const unsigned char* got, const std::vector<unsigned char>& want, int width, int height, int bits) {
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t used = (static_cast<size_t>(width) * bits + 7) / 8;
  for (int y = 0; y < height; ++y) {
    const unsigned char* g = got + y * stride;
    const unsigned char* w = want.data() + y * stride;
    size_t full = width * bits % 8 == 0 ? used : used - 1;
    if (std::memcmp(g, w, full) != 0) return false;
    if (full != used) {
      int keep = width * bits % 8;  // high bits of the last byte hold pixels
      unsigned char mask = static_cast<unsigned char>(0xFF << (8 - keep));
      if ((g[full] & mask) != (w[full] & mask)) return false;
    }
  }
  return true;
}

void ExpectHeaders(const BmpImage& img, int width, int height, int bits, uint32_t entries) {
  BmpLayout l;
  ASSERT_TRUE(ComputeBmpLayout(width, height, 1, bits, l));
  const unsigned char* p = img.data;
  EXPECT_EQ(Get16(p), 0x4D42);
  EXPECT_EQ(Get32(p + 2), l.imageSize + 4 * entries + 54) << "bfSize";
  EXPECT_EQ(Get32(p + 6), 0u) << "reserved";
  EXPECT_EQ(Get32(p + 10), 54 + 4 * entries) << "bfOffBits";
  EXPECT_EQ(Get32(p + 14), 40u);
  EXPECT_EQ(static_cast<int32_t>(Get32(p + 18)), width);
  EXPECT_EQ(static_cast<int32_t>(Get32(p + 22)), height);
  EXPECT_EQ(Get16(p + 26), 1);
  EXPECT_EQ(Get16(p + 28), bits) << "the bitmap's own depth";
  EXPECT_EQ(Get32(p + 30), 0u) << "BI_RGB";
  EXPECT_EQ(Get32(p + 34), l.imageSize) << "biSizeImage keeps the formula's value";
  EXPECT_EQ(Get32(p + 38), 0u);
  EXPECT_EQ(Get32(p + 42), 0u);
  EXPECT_EQ(Get32(p + 46), entries) << "biClrUsed";
  EXPECT_EQ(Get32(p + 50), 0u);
  // The whole block follows the headers, at least stride x height bytes.
  EXPECT_EQ(img.size, 54 + 4 * entries + l.blockSize);
  EXPECT_GE(l.blockSize, l.stride * static_cast<uint32_t>(height));
}

TEST(SnapshotBmp, BytesOfEveryColourClass) {
  struct Case {
    int bits;
    uint32_t entries;
  } cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 65536}, {24, 0}, {32, 0}};
  const int width = 13, height = 7;  // odd sizes: rows need padding
  win::WindowDc desktop(GetDesktopWindow());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    TestDib dib = MakeDib(width, height, c.bits);
    ASSERT_TRUE(dib.bitmap);
    BmpImage img;
    ASSERT_TRUE(BuildSnapshotBmp(dib.bitmap, desktop, img));
    ExpectHeaders(img, width, height, c.bits, c.entries);
    const unsigned char* table = img.data + 54;
    for (size_t i = 0; i < dib.palette.size(); ++i) {
      EXPECT_EQ(table[4 * i], dib.palette[i].rgbBlue) << i;
      EXPECT_EQ(table[4 * i + 1], dib.palette[i].rgbGreen) << i;
      EXPECT_EQ(table[4 * i + 2], dib.palette[i].rgbRed) << i;
    }
    const unsigned char* pixels = img.data + 54 + 4 * c.entries;
    EXPECT_TRUE(SamePixels(pixels, dib.bits, width, height, c.bits));
    // Past the rows the block is zero.
    const size_t rows = dib.bits.size();
    for (size_t i = 54 + 4 * c.entries + rows; i < img.size; ++i) ASSERT_EQ(img.data[i], 0) << "byte " << i;
  }
}

TEST(SnapshotBmp, FileIsByteForByteWhatEarlierVersionsWrote) {
  TestDib dib = MakeDib(3, 2, 32);
  win::WindowDc desktop(GetDesktopWindow());
  BmpImage img;
  ASSERT_TRUE(BuildSnapshotBmp(dib.bitmap, desktop, img));
  std::string want;
  ASSERT_TRUE(file::ReadAll(std::string("Z:") + BROVA_SOURCE_DIR + "/tests/fixtures/records/capture-3x2-32.bmp", want));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(img.data), img.size), want);
}

TEST(SnapshotBmp, MonochromeDeviceBitmapIsWrittenWhole) {
  // 1-bit rows are padded to 4 bytes, more than the header's formula counts.
  const int width = 9, height = 5;
  const unsigned char rows[height][2] = {{0xFF, 0x80}, {0x00, 0x00}, {0xAA, 0x80}, {0x55, 0x00}, {0xF0, 0x80}};
  win::Bitmap mono(CreateBitmap(width, height, 1, 1, rows));  // top-down, 2-byte rows
  ASSERT_TRUE(mono);
  win::WindowDc desktop(GetDesktopWindow());
  BmpImage img;
  ASSERT_TRUE(BuildSnapshotBmp(mono, desktop, img));
  ExpectHeaders(img, width, height, 1, 2);
  EXPECT_EQ(Get32(img.data + 34), 10u);
  EXPECT_EQ(img.size, 54u + 8 + 4 * 5);
  const unsigned char* pixels = img.data + 62;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = pixels + (height - 1 - y) * 4;  // bottom-up in the file
    // Black is 0 in a monochrome bitmap; the table says which colour each index is.
    bool indexOneIsWhite = img.data[54 + 4] == 0xFF;
    unsigned char expect0 = indexOneIsWhite ? rows[y][0] : static_cast<unsigned char>(~rows[y][0]);
    EXPECT_EQ(row[0], expect0) << "row " << y;
    EXPECT_EQ(row[1] & 0x80, (indexOneIsWhite ? rows[y][1] : ~rows[y][1]) & 0x80) << "row " << y;
  }
}

TEST(SnapshotBmp, RefusesWhatItCannotRead) {
  win::WindowDc desktop(GetDesktopWindow());
  BmpImage img;
  EXPECT_FALSE(BuildSnapshotBmp(nullptr, desktop, img));
  HBITMAP gone = CreateBitmap(4, 4, 1, 32, nullptr);
  DeleteObject(gone);
  EXPECT_FALSE(BuildSnapshotBmp(gone, desktop, img));
}

TEST(SnapshotFile, SavedUnderTheMomentInNewFolders) {
  TempFolder tmp;
  TestDib dib = MakeDib(20, 10, 24);
  win::WindowDc desktop(GetDesktopWindow());
  const std::string folder = tmp.path() + "a\\截图\\";
  SYSTEMTIME before{};
  GetLocalTime(&before);
  SnapshotFile f = SaveSnapshotBmp(dib.bitmap, desktop, folder);
  ASSERT_TRUE(f.written);
  ASSERT_EQ(f.path.rfind(folder, 0), 0u);
  std::string name = f.path.substr(folder.size());
  ASSERT_EQ(name.size(), std::string("Snapshot20240102030405.bmp").size()) << name;
  EXPECT_EQ(name.substr(0, 12), text::Format("Snapshot%04d", before.wYear));
  EXPECT_EQ(name.substr(name.size() - 4), ".bmp");
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(f.path, bytes));
  BmpImage img;
  ASSERT_TRUE(BuildSnapshotBmp(dib.bitmap, desktop, img));
  EXPECT_EQ(bytes, std::string(reinterpret_cast<char*>(img.data), img.size));
  // Only the file: no temporary left beside it.
  EXPECT_EQ(tmp.Files("a\\截图\\"), std::vector<std::string>{name});
}

TEST(SnapshotFile, NeverReplacesAnEarlierCapture) {
  TempFolder tmp;
  const std::string path = tmp.path() + "Snapshot20240102030405.bmp";
  ASSERT_TRUE(file::WriteAtomic(path, "first"));
  std::string chosen;
  ASSERT_TRUE(WriteUnderFreeName(path, "second", 6, chosen));
  EXPECT_EQ(chosen, tmp.path() + "Snapshot20240102030405_2.bmp");
  ASSERT_TRUE(WriteUnderFreeName(path, "third", 5, chosen));
  EXPECT_EQ(chosen, tmp.path() + "Snapshot20240102030405_3.bmp");
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(path, bytes));
  EXPECT_EQ(bytes, "first");
  ASSERT_TRUE(file::ReadAll(tmp.path() + "Snapshot20240102030405_2.bmp", bytes));
  EXPECT_EQ(bytes, "second");
  EXPECT_EQ(tmp.Files().size(), 3u);
}

TEST(SnapshotFile, FailureIsReportedAndLeavesNothing) {
  TempFolder tmp;
  TestDib dib = MakeDib(4, 4, 32);
  win::WindowDc desktop(GetDesktopWindow());
  // A file stands where the folder should be.
  ASSERT_TRUE(file::WriteAtomic(tmp.path() + "blocked", "x"));
  SnapshotFile f = SaveSnapshotBmp(dib.bitmap, desktop, tmp.path() + "blocked\\");
  EXPECT_FALSE(f.written);
  EXPECT_EQ(f.path.rfind(tmp.path() + "blocked\\Snapshot", 0), 0u);
  EXPECT_EQ(tmp.Files(), std::vector<std::string>{"blocked"});
}

// 32-bit top-down pixels of a bitmap, read back through GetDIBits.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> px(static_cast<size_t>(width) * height);
  win::WindowDc screen(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), px.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& p : px) p &= 0xFFFFFF;
  return px;
}

TEST(Crop, CopiesExactlyTheRectangle) {
  TestDib dib = MakeDib(40, 30, 32);
  std::vector<uint32_t> all = PixelsOf(dib.bitmap, 40, 30);
  win::Bitmap part = CopyBitmapRect(dib.bitmap, Rect{5, 7, 25, 19});
  ASSERT_TRUE(part);
  BITMAP b{};
  GetObjectW(part, sizeof b, &b);
  EXPECT_EQ(b.bmWidth, 20);
  EXPECT_EQ(b.bmHeight, 12);
  std::vector<uint32_t> got = PixelsOf(part, 20, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(got[y * 20 + x], all[(y + 7) * 40 + x + 5]) << x << "," << y;
  EXPECT_FALSE(CopyBitmapRect(dib.bitmap, Rect{5, 7, 5, 19}));
  EXPECT_FALSE(CopyBitmapRect(dib.bitmap, Rect{5, 7, 25, 7}));
}

// A new capture picture, its pages ready as a grab makes them.
PicturePtr ReadyPicture(int width, int height) {
  win::WindowDc screen(nullptr);
  PicturePtr p = CCapturePicture::Make(screen, width, height);
  if (!p) return nullptr;
  p->MapPages(UseWinePaths());
  p->ReadyPages();
  return p;
}

// Copies bitmap into picture as the grab reads the screen.
void ReadInto(const CCapturePicture& picture, HBITMAP bitmap) {
  win::WindowDc screen(nullptr);
  win::OwnedDc from = win::OwnedDc::Compatible(screen);
  win::OwnedDc to = win::OwnedDc::Compatible(screen);
  win::Select a(from, bitmap);
  win::Select b(to, picture.bitmap());
  BitBlt(to, 0, 0, picture.width(), picture.height(), from, 0, 0, SRCCOPY);
}

// A capture picture holding the pixels of bitmap.
PicturePtr PictureOf(HBITMAP bitmap, int width, int height) {
  PicturePtr p = ReadyPicture(width, height);
  if (p) ReadInto(*p, bitmap);
  return p;
}

// The bytes GetDIBits gives for the pixels of dib: the file of earlier versions.
std::string EarlierFile(const TestDib& dib, int width, int height) {
  win::WindowDc desktop(GetDesktopWindow());
  win::Bitmap device = CopyBitmapRect(dib.bitmap, Rect{0, 0, width, height});
  BmpImage built;
  if (!BuildSnapshotBmp(device, desktop, built)) return std::string();
  return std::string(reinterpret_cast<const char*>(built.data), built.size);
}

TEST(SnapshotFile, PictureWritesTheFileInOnePieceAsEarlierVersionsDid) {
  win::WindowDc desktop(GetDesktopWindow());
  ASSERT_EQ(GetDeviceCaps(desktop, BITSPIXEL), 32) << "the pictures hold their own files on 32-bit displays";
  // The fixture file, and widths whose header formula counts more bytes
  // than the rows hold (the last one by more than a page): the picture's
  // file has the same bytes as the file GetDIBits builds from a
  // device-compatible bitmap of the same pixels.
  struct Case {
    int width, height;
  } cases[] = {{3, 2}, {13, 7}, {1283, 41}, {9, 2000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    TestDib dib = MakeDib(c.width, c.height, 32);
    PicturePtr picture = PictureOf(dib.bitmap, c.width, c.height);
    ASSERT_TRUE(picture);
    TempFolder tmp;
    CBmpWriter writer(tmp.path());
    ASSERT_TRUE(writer.Begin(*picture));
    writer.RowsRead(picture->height());
    SnapshotFile f = writer.Finish();
    ASSERT_TRUE(f.written);
    std::string bytes;
    ASSERT_TRUE(file::ReadAll(f.path, bytes));
    EXPECT_EQ(bytes, EarlierFile(dib, c.width, c.height));
    if (c.width == 3) {
      std::string want;
      ASSERT_TRUE(file::ReadAll(std::string("Z:") + BROVA_SOURCE_DIR + "/tests/fixtures/records/capture-3x2-32.bmp", want));
      EXPECT_EQ(bytes, want);
    }
  }
}

// Under Wine a stream's worker writes over the file's length from the
// picture while the screen settles; the rows read afterwards replace all of
// it, whether that pass ended or was cut short by them.
TEST(SnapshotFile, RowsReplaceTheFirstPassWhereverItStopped) {
  if (!UseWinePaths()) GTEST_SKIP() << "the plain path makes no first pass";
  const int width = 1283, height = 2000;  // rows of 10 MB, and zeros after them
  TestDib dib = MakeDib(width, height, 32);
  const std::string want = EarlierFile(dib, width, height);
  ASSERT_FALSE(want.empty());
  for (bool wholePass : {true, false}) {
    SCOPED_TRACE(wholePass);
    PicturePtr picture = ReadyPicture(width, height);
    ASSERT_TRUE(picture);
    TempFolder tmp;
    CBmpWriter stream(tmp.path());
    ASSERT_TRUE(stream.Begin(*picture));
    // The temporary file grows: to the rows' length, or by its first bytes.
    const size_t until = wholePass ? static_cast<size_t>(width) * 4 * height : 1;
    const DWORD start = GetTickCount();
    for (;;) {
      std::vector<std::string> names = tmp.Files();
      WIN32_FILE_ATTRIBUTE_DATA a{};
      if (names.size() == 1 &&
          GetFileAttributesExW(text::Widen(tmp.path() + names[0]).c_str(), GetFileExInfoStandard, &a) &&
          a.nFileSizeLow >= until)
        break;
      ASSERT_LT(GetTickCount() - start, 20000u) << "the first pass did not reach " << until << " bytes";
      Sleep(1);
    }
    ReadInto(*picture, dib.bitmap);
    stream.RowsRead(height);
    SnapshotFile f = stream.Finish();
    ASSERT_TRUE(f.written);
    std::string bytes;
    ASSERT_TRUE(file::ReadAll(f.path, bytes));
    EXPECT_TRUE(bytes == want) << bytes.size() << " bytes, " << want.size() << " wanted";
  }
}

// An encoder that always fails: the writer falls back to BMP.
class FailingWriter : public CEncodedWriter {
 public:
  explicit FailingWriter(std::string folder) : CEncodedWriter(std::move(folder), ".png", " (fell back)") {}

 protected:
  bool Encode(const PixelRows&, std::string&) override { return false; }
};

// Writes picture with writer as a capture does; the file it reports.
SnapshotFile WriteWith(ISnapshotWriter& writer, const CCapturePicture& picture) {
  if (!writer.Begin(picture)) return SnapshotFile();
  writer.RowsRead(picture.height());
  return writer.Finish();
}

TEST(SnapshotWriter, EveryFormatWritesItsFileUnderAFreeName) {
  // A width that is not a multiple of 8, whose rows the encoders must step
  // by the picture's own stride.
  const int width = 13, height = 7;
  TestDib dib = MakeDib(width, height, 32);
  PicturePtr picture = PictureOf(dib.bitmap, width, height);
  ASSERT_TRUE(picture);
  const struct {
    CaptureFormat format;
    const char* extension;
    std::string magic;
  } cases[] = {{CaptureFormat::kBmp, ".bmp", "BM"},
               {CaptureFormat::kPng, ".png", "\x89PNG\r\n\x1a\n"},
               {CaptureFormat::kJpeg, ".jpg", "\xff\xd8\xff"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extension);
    TempFolder tmp;
    // Two captures of one second (or of two): never one name.
    SnapshotFile first, second;
    {
      auto writer = MakeSnapshotWriter(c.format, tmp.path() + "new\\", 80);
      first = WriteWith(*writer, *picture);
    }
    {
      auto writer = MakeSnapshotWriter(c.format, tmp.path() + "new\\", 80);
      second = WriteWith(*writer, *picture);
    }
    ASSERT_TRUE(first.written) << first.path;
    ASSERT_TRUE(second.written) << second.path;
    EXPECT_NE(first.path, second.path);
    EXPECT_EQ(first.note, "");
    for (const SnapshotFile* f : {&first, &second}) {
      EXPECT_EQ(f->path.substr(f->path.size() - 4), c.extension);
      std::string bytes;
      ASSERT_TRUE(file::ReadAll(f->path, bytes));
      EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic);
    }
    EXPECT_EQ(tmp.Files("new\\").size(), 2u) << "no temporary file is left";
  }
  // The BMP that an encoder's failure leaves is the BMP writer's file.
  TempFolder tmp;
  FailingWriter failing(tmp.path());
  SnapshotFile fallback = WriteWith(failing, *picture);
  ASSERT_TRUE(fallback.written);
  EXPECT_EQ(fallback.note, " (fell back)");
  EXPECT_EQ(fallback.path.substr(fallback.path.size() - 4), ".bmp");
  std::string bytes;
  ASSERT_TRUE(file::ReadAll(fallback.path, bytes));
  EXPECT_EQ(bytes, EarlierFile(dib, width, height));
}

// The clipboard's bitmap, or an empty list when it holds none.
std::vector<uint32_t> ClipboardPixels(HWND owner, int width, int height) {
  std::vector<uint32_t> px;
  if (!OpenClipboard(owner)) return px;
  if (HBITMAP held = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP b{};
    if (GetObjectW(held, sizeof b, &b) && b.bmWidth == width && b.bmHeight == height)
      px = PixelsOf(held, width, height);
  }
  CloseClipboard();
  return px;
}

TEST(Clipboard, OfferIsRenderedOnRequestAndWhenItsWindowGoes) {
  TestDib dib = MakeDib(16, 9, 32);
  std::vector<uint32_t> want = PixelsOf(dib.bitmap, 16, 9);
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(host);
  PicturePtr picture = PictureOf(dib.bitmap, 16, 9);
  {
    CClipboardOffer offer;
    ASSERT_TRUE(offer.Offer(host, picture));
    EXPECT_EQ(picture.use_count(), 2) << "held until the bitmap is made";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    // A paste makes the bitmap, a copy that the clipboard owns.
    EXPECT_EQ(ClipboardPixels(nullptr, 16, 9), want);
    EXPECT_EQ(picture.use_count(), 1);

    // Offered again, then another program empties the clipboard: the
    // offer lets the picture go.
    ASSERT_TRUE(offer.Offer(host, picture));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(picture.use_count(), 1);

    // Offered again, and the parent window goes with the offer unpasted:
    // the clipboard keeps the bitmap.
    ASSERT_TRUE(offer.Offer(host, picture));
    DestroyWindow(host);
    EXPECT_EQ(picture.use_count(), 1);
  }
  picture.reset();
  EXPECT_EQ(ClipboardPixels(nullptr, 16, 9), want);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}

}  // namespace
