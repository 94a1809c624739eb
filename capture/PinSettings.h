// The pins' setting, "data\pin.ini", a section file: the key line
// "[INCLUDE_IN_CAPTURE]" followed by its value line, "1" when captures show
// the pins on the screen, "0" (the default) when pins step aside for them.
// A missing file or key, or any other value, gives the default.
#pragma once
#include <string>

struct PinSettings {
  bool includeInCapture = false;
  bool operator==(const PinSettings& o) const { return includeInCapture == o.includeInCapture; }
};

constexpr char kPinSettingsPath[] = "data\\pin.ini";

PinSettings ReadPinSettings(const std::string& path);
// The file's whole text.
std::string PinSettingsText(const PinSettings& settings);
// Replaces the file atomically; false when it could not be written.
bool WritePinSettings(const std::string& path, const PinSettings& settings);
