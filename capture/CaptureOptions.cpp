#include "capture/CaptureOptions.h"

#include "common/File.h"
#include "common/SectionFile.h"
#include "common/Text.h"

namespace {

constexpr char kFormatKey[] = "[FORMAT]";
constexpr char kQualityKey[] = "[JPEG_QUALITY]";
constexpr char kScreensKey[] = "[SCREENS]";
constexpr char kDelayKey[] = "[DELAY]";

constexpr CaptureFormat kFormats[] = {CaptureFormat::kBmp, CaptureFormat::kPng, CaptureFormat::kJpeg};
constexpr CaptureScreens kScreens[] = {CaptureScreens::kPrimary, CaptureScreens::kAll, CaptureScreens::kCursor};

// Values match without ASCII case, as the keys do.
std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

const char* FormatName(CaptureFormat format) {
  switch (format) {
    case CaptureFormat::kPng:
      return "png";
    case CaptureFormat::kJpeg:
      return "jpg";
    case CaptureFormat::kBmp:
      break;
  }
  return "bmp";
}

const char* FormatExtension(CaptureFormat format) {
  switch (format) {
    case CaptureFormat::kPng:
      return ".png";
    case CaptureFormat::kJpeg:
      return ".jpg";
    case CaptureFormat::kBmp:
      break;
  }
  return ".bmp";
}

CaptureFormat FileFormat(const std::string& head, const std::string& path) {
  if (head.compare(0, 2, "BM") == 0) return CaptureFormat::kBmp;
  if (head.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) return CaptureFormat::kPng;
  if (head.compare(0, 3, "\xFF\xD8\xFF") == 0) return CaptureFormat::kJpeg;
  std::string ext;
  const size_t dot = path.find_last_of('.');
  const size_t sep = path.find_last_of("\\/");
  if (dot != std::string::npos && (sep == std::string::npos || dot > sep)) {
    for (char c : path.substr(dot)) ext += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  if (ext == ".png") return CaptureFormat::kPng;
  if (ext == ".jpg" || ext == ".jpeg") return CaptureFormat::kJpeg;
  return CaptureFormat::kBmp;
}

const char* ScreensName(CaptureScreens screens) {
  switch (screens) {
    case CaptureScreens::kAll:
      return "all";
    case CaptureScreens::kCursor:
      return "cursor";
    case CaptureScreens::kPrimary:
      break;
  }
  return "primary";
}

int BoundedNumber(const std::string& text, int first, int last, int fallback) {
  const std::string t = text::Trim(text);
  if (t.empty() || t.size() > 3) return fallback;
  int value = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
  }
  return value >= first && value <= last ? value : fallback;
}

CaptureOptions ReadCaptureOptions(const std::string& path) {
  CaptureOptions options;
  CSectionFile file;
  if (file.Load(path) != 0) return options;
  const std::string format = Lower(file.GetValue(kFormatKey));
  for (CaptureFormat f : kFormats)
    if (format == FormatName(f)) options.format = f;
  const std::string screens = Lower(file.GetValue(kScreensKey));
  for (CaptureScreens s : kScreens)
    if (screens == ScreensName(s)) options.screens = s;
  options.jpegQuality = BoundedNumber(file.GetValue(kQualityKey), CaptureOptions::kMinQuality,
                                      CaptureOptions::kMaxQuality, options.jpegQuality);
  options.delaySeconds =
      BoundedNumber(file.GetValue(kDelayKey), 0, CaptureOptions::kMaxDelaySeconds, options.delaySeconds);
  return options;
}

std::string CaptureOptionsText(const CaptureOptions& o) {
  return SectionFileText({{kFormatKey, FormatName(o.format)},
                          {kQualityKey, std::to_string(o.jpegQuality)},
                          {kScreensKey, ScreensName(o.screens)},
                          {kDelayKey, std::to_string(o.delaySeconds)}});
}

bool WriteCaptureOptions(const std::string& path, const CaptureOptions& options) {
  return file::WriteAtomic(path, CaptureOptionsText(options));
}
