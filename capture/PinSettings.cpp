#include "capture/PinSettings.h"

#include "common/File.h"
#include "common/SectionFile.h"

namespace {
constexpr char kIncludeKey[] = "[INCLUDE_IN_CAPTURE]";
}

PinSettings ReadPinSettings(const std::string& path) {
  PinSettings settings;
  CSectionFile file;
  if (file.Load(path) != 0) return settings;
  settings.includeInCapture = file.GetValue(kIncludeKey) == "1";
  return settings;
}

std::string PinSettingsText(const PinSettings& settings) {
  return SectionFileText({{kIncludeKey, settings.includeInCapture ? "1" : "0"}});
}

bool WritePinSettings(const std::string& path, const PinSettings& settings) {
  return file::WriteAtomic(path, PinSettingsText(settings));
}
