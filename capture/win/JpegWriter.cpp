#include "capture/win/JpegWriter.h"

#include <objidl.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The GUIDs of the imaging component, named here so that no import
// library needs to carry them.
constexpr GUID kImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kContainerJpeg = {0x19e4a5aa, 0x5662, 0x4fc5, {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}};
constexpr GUID kPixelFormat24bppBgr = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};
// Rows converted and handed to the encoder at a time.
constexpr int kBandRows = 256;

template <class T>
struct Com {
  T* p = nullptr;
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
  T** put() { return &p; }
};

// COM for this thread while it lives, when this thread had none.
struct ComThread {
  bool own = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  ~ComThread() {
    if (own) CoUninitialize();
  }
};

// The frame's pixels, top row first, as 24-bit BGR.
bool WriteRows(IWICBitmapFrameEncode* frame, const PixelRows& px) {
  const UINT stride = static_cast<UINT>((px.width * 3 + 3) & ~3);
  std::vector<unsigned char> band(static_cast<size_t>(stride) * kBandRows);
  for (int top = 0; top < px.height; top += kBandRows) {
    const int rows = std::min(kBandRows, px.height - top);
    for (int i = 0; i < rows; ++i) {
      // The picture's rows are bottom-up.
      const unsigned char* from = px.rows + static_cast<size_t>(px.height - 1 - top - i) * px.stride;
      unsigned char* to = band.data() + static_cast<size_t>(i) * stride;
      for (int x = 0; x < px.width; ++x, from += 4, to += 3) {
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
      }
    }
    if (FAILED(frame->WritePixels(static_cast<UINT>(rows), stride, stride * static_cast<UINT>(rows), band.data())))
      return false;
  }
  return true;
}

}  // namespace

bool EncodeJpeg(const PixelRows& px, int quality, std::string& out) {
  out.clear();
  if (!px.rows || px.width <= 0 || px.height <= 0) return false;
  ComThread com;
  Com<IWICImagingFactory> factory;
  Com<IStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  if (FAILED(CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.put()))) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
      FAILED(factory->CreateEncoder(kContainerJpeg, nullptr, encoder.put())) ||
      FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.put(), options.put())))
    return false;
  PROPBAG2 name{};
  name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R4;
  value.fltVal = static_cast<float>(std::clamp(quality, 1, 100)) / 100.0f;
  // An encoder that knows no quality keeps its own.
  if (options.p) options->Write(1, &name, &value);
  WICPixelFormatGUID format = kPixelFormat24bppBgr;
  if (FAILED(frame->Initialize(options.p)) ||
      FAILED(frame->SetSize(static_cast<UINT>(px.width), static_cast<UINT>(px.height))) ||
      FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, kPixelFormat24bppBgr) ||
      !WriteRows(frame.p, px) || FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return false;
  // The stream's position is the end of what the encoder wrote.
  ULARGE_INTEGER end{};
  LARGE_INTEGER zero{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &end)) || FAILED(GetHGlobalFromStream(stream.p, &memory)) ||
      end.QuadPart == 0)
    return false;
  const void* bytes = GlobalLock(memory);
  if (!bytes) return false;
  out.assign(static_cast<const char*>(bytes), static_cast<size_t>(end.QuadPart));
  GlobalUnlock(memory);
  return true;
}

CJpegWriter::CJpegWriter(std::string folder, int quality)
    : CEncodedWriter(std::move(folder), ".jpg", kJpegFallbackNote), quality_(quality) {}

bool CJpegWriter::Encode(const PixelRows& pixels, std::string& out) { return EncodeJpeg(pixels, quality_, out); }
