// The keys a hot key may use, with the names the key lists show and their
// virtual-key codes. Entry 0, "无" (none), has code 0 and matches no key.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct KeyName {
  std::string name;  // UTF-8
  uint8_t code = 0;
};

class CKeyNameTable {
 public:
  // Builds the table from the program's key records.
  CKeyNameTable();

  // The program-wide table, built during static initialisation.
  static const CKeyNameTable& Get();

  // One text record: the name up to the first blank, two hexadecimal digits
  // (either case) for the code, one more character, then a description.
  // False for a record that does not have that form.
  static bool ParseRecord(std::string_view record, KeyName& out);

  int Count() const { return static_cast<int>(entries_.size()); }
  // Name of an entry; "" outside 0..Count()-1.
  const std::string& Name(int index) const;
  // Index of the first entry with that code, or 0.
  int IndexOfKey(int code) const;
  // The first entry with that code (index in *index), else entry 0.
  const KeyName& EntryOfKey(int code, int* index = nullptr) const;
  // The entry's code for 0 <= index < Count(), else 0 (no selection gives -1).
  int KeyOfIndex(int index) const;

 private:
  std::vector<KeyName> entries_;
};
