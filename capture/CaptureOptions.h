// The capture options that the 280-byte "data\snapshot.dat" has no room
// for, in the section file "data\capture.ini": each key line followed by
// its value line.
//   [FORMAT]        bmp | png | jpg            (bmp)
//   [JPEG_QUALITY]  1-100                      (90)
//   [SCREENS]       primary | all | cursor     (primary)
//   [DELAY]         0-30 seconds before every full-screen capture (0)
// A missing file or key, or a value outside these, gives the default; the
// next save writes every key with its value.
#pragma once
#include <string>

enum class CaptureFormat { kBmp, kPng, kJpeg };
// primary: the display as HORZRES x VERTRES report it; all: the whole
// virtual screen; cursor: the monitor under the mouse pointer.
enum class CaptureScreens { kPrimary, kAll, kCursor };

struct CaptureOptions {
  static constexpr int kMinQuality = 1;
  static constexpr int kMaxQuality = 100;
  static constexpr int kMaxDelaySeconds = 30;

  CaptureFormat format = CaptureFormat::kBmp;
  int jpegQuality = 90;
  CaptureScreens screens = CaptureScreens::kPrimary;
  int delaySeconds = 0;

  bool operator==(const CaptureOptions& o) const {
    return format == o.format && jpegQuality == o.jpegQuality && screens == o.screens &&
           delaySeconds == o.delaySeconds;
  }
};

constexpr char kCaptureOptionsPath[] = "data\\capture.ini";

CaptureOptions ReadCaptureOptions(const std::string& path);
// The file's whole text.
std::string CaptureOptionsText(const CaptureOptions& options);
// Replaces the file atomically; false when it could not be written.
bool WriteCaptureOptions(const std::string& path, const CaptureOptions& options);

// The value texts of the file, also the choices of the settings page.
const char* FormatName(CaptureFormat format);  // "bmp", "png", "jpg"
const char* ScreensName(CaptureScreens screens);
// The extension of a capture file of format, with its dot.
const char* FormatExtension(CaptureFormat format);
// The format of a picture file from its first bytes (head; 8 are enough),
// else from the extension of its path; BMP when neither tells.
CaptureFormat FileFormat(const std::string& head, const std::string& path);

// A whole number from first to last in text (blanks around it allowed), or
// fallback.
int BoundedNumber(const std::string& text, int first, int last, int fallback);
