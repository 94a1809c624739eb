// The CD drives and their trays: the drive table, filled from the system's
// drives, and the open and close requests, each in a short-lived thread that
// sends its MCI commands and ends.
#pragma once
#include <string>
#include <vector>

class CCdDriveTable {
 public:
  // Every CD/DVD drive of the system, by device name ("D:").
  void FillFromSystem();
  int Count() const { return static_cast<int>(names_.size()); }
  // The device name of drive i; empty past the filled entries, which MCI
  // takes as its default CD audio device.
  std::string Name(int i) const;

  // Opens (or closes) the tray of drive i in a thread of its own and returns
  // at once; i outside 0..Count() does nothing. The MCI results are ignored.
  void RequestTray(int i, bool open) const;

 private:
  std::vector<std::string> names_;
};
