#include "common/KeyNameTable.h"

namespace {

// Fixed 100-byte text records: name, blank, hexadecimal code, blank, note.
// The notes are for the reader of this table; the program does not show them.
// A record that begins with "-" ends the block.
constexpr size_t kRecordSize = 100;
const char kKeyRecords[][kRecordSize] = {
    "无 00 no key",
    "VK_BACK 08 BACKSPACE key",
    "VK_TAB 09 TAB key",
    "VK_CLEAR 0C CLEAR key",
    "VK_RETURN 0D ENTER key",
    "VK_PAUSE 13 PAUSE key",
    "VK_CAPITAL 14 CAPS LOCK key",
    "VK_ESCAPE 1B ESC key",
    "VK_SPACE 20 SPACEBAR",
    "VK_PRIOR 21 PAGE UP key",
    "VK_NEXT 22 PAGE DOWN key",
    "VK_END 23 END key",
    "VK_HOME 24 HOME key",
    "VK_LEFT 25 LEFT ARROW key",
    "VK_UP 26 UP ARROW key",
    "VK_RIGHT 27 RIGHT ARROW key",
    "VK_DOWN 28 DOWN ARROW key",
    "VK_SELECT 29 SELECT key",
    "VK_PRINT 2A PRINT key",
    "VK_EXECUTE 2B EXECUTE key",
    "VK_SNAPSHOT 2C PRINT SCREEN key",
    "VK_INSERT 2D INS key",
    "VK_DELETE 2E DEL key",
    "VK_HELP 2F HELP key",
    "0 30 0 key",
    "1 31 1 key",
    "2 32 2 key",
    "3 33 3 key",
    "4 34 4 key",
    "5 35 5 key",
    "6 36 6 key",
    "7 37 7 key",
    "8 38 8 key",
    "9 39 9 key",
    "A 41 A key",
    "B 42 B key",
    "C 43 C key",
    "D 44 D key",
    "E 45 E key",
    "F 46 F key",
    "G 47 G key",
    "H 48 H key",
    "I 49 I key",
    "J 4A J key",
    "K 4B K key",
    "L 4C L key",
    "M 4D M key",
    "N 4E N key",
    "O 4F O key",
    "P 50 P key",
    "Q 51 Q key",
    "R 52 R key",
    "S 53 S key",
    "T 54 T key",
    "U 55 U key",
    "V 56 V key",
    "W 57 W key",
    "X 58 X key",
    "Y 59 Y key",
    "Z 5A Z key",
    "VK_NUMPAD0 60 Numeric keypad 0 key",
    "VK_NUMPAD1 61 Numeric keypad 1 key",
    "VK_NUMPAD2 62 Numeric keypad 2 key",
    "VK_NUMPAD3 63 Numeric keypad 3 key",
    "VK_NUMPAD4 64 Numeric keypad 4 key",
    "VK_NUMPAD5 65 Numeric keypad 5 key",
    "VK_NUMPAD6 66 Numeric keypad 6 key",
    "VK_NUMPAD7 67 Numeric keypad 7 key",
    "VK_NUMPAD8 68 Numeric keypad 8 key",
    "VK_NUMPAD9 69 Numeric keypad 9 key",
    "VK_MULTIPLY 6A Multiply key",
    "VK_ADD 6B Add key",
    "VK_SEPARATOR 6C Separator key",
    "VK_SUBTRACT 6D Subtract key",
    "VK_DECIMAL 6E Decimal key",
    "VK_DIVIDE 6F Divide key",
    "VK_F1 70 F1 key",
    "VK_F2 71 F2 key",
    "VK_F3 72 F3 key",
    "VK_F4 73 F4 key",
    "VK_F5 74 F5 key",
    "VK_F6 75 F6 key",
    "VK_F7 76 F7 key",
    "VK_F8 77 F8 key",
    "VK_F9 78 F9 key",
    "VK_F10 79 F10 key",
    "VK_F11 7A F11 key",
    "VK_F12 7B F12 key",
    "VK_F13 7C F13 key",
    "VK_F14 7D F14 key",
    "VK_F15 7E F15 key",
    "VK_F16 7F F16 key",
    "VK_F17 80 F17 key",
    "VK_F18 81 F18 key",
    "VK_F19 82 F19 key",
    "VK_F20 83 F20 key",
    "VK_F21 84 F21 key",
    "VK_F22 85 F22 key",
    "VK_F23 86 F23 key",
    "VK_F24 87 F24 key",
    "VK_NUMLOCK 90 NUM LOCK key",
    "VK_SCROLL 91 SCROLL LOCK key",
    "VK_LSHIFT A0 Left SHIFT key",
    "VK_RSHIFT A1 Right SHIFT key",
    "VK_LCONTROL A2 Left CONTROL key",
    "VK_RCONTROL A3 Right CONTROL key",
    "VK_LMENU A4 Left MENU key",
    "VK_RMENU A5 Right MENU key",
    "VK_OEM_1(;) BA the ';:' key on US keyboards",
    "VK_OEM_PLUS(+) BB the '+' key in any country",
    "VK_OEM_COMMA(,) BC the ',' key in any country",
    "VK_OEM_MINUS(-) BD the '-' key in any country",
    "VK_OEM_PERIOD(.) BE the '.' key in any country",
    "VK_OEM_2(/) BF the '/?' key on US keyboards",
    "VK_OEM_3(`) C0 the '`~' key on US keyboards",
    "VK_OEM_4([) DB the '[{' key on US keyboards",
    "VK_OEM_5(\\) DC the '\\|' key on US keyboards",
    "VK_OEM_6(]) DD the ']}' key on US keyboards",
    "VK_OEM_7(') DE the single-quote/double-quote key on US keyboards",
    "-",
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

const std::string kNoName;

// Built before the program's entry point, as the key lists expect.
const CKeyNameTable& builtAtStart = CKeyNameTable::Get();

}  // namespace

bool CKeyNameTable::ParseRecord(std::string_view record, KeyName& out) {
  size_t blank = record.find(' ');
  if (blank == std::string_view::npos || blank == 0 || blank + 2 >= record.size()) return false;
  int high = HexDigit(record[blank + 1]);
  int low = HexDigit(record[blank + 2]);
  if (high < 0 || low < 0) return false;
  out.name.assign(record.substr(0, blank));
  out.code = static_cast<uint8_t>(high * 16 + low);
  return true;
}

CKeyNameTable::CKeyNameTable() {
  for (const char* record : kKeyRecords) {
    std::string_view text(record, std::char_traits<char>::length(record));
    if (!text.empty() && text[0] == '-') break;
    KeyName entry;
    if (ParseRecord(text, entry)) entries_.push_back(std::move(entry));
  }
}

const CKeyNameTable& CKeyNameTable::Get() {
  static const CKeyNameTable table;
  return table;
}

const std::string& CKeyNameTable::Name(int index) const {
  if (index < 0 || index >= Count()) return kNoName;
  return entries_[static_cast<size_t>(index)].name;
}

int CKeyNameTable::IndexOfKey(int code) const {
  for (int i = 0; i < Count(); ++i)
    if (entries_[static_cast<size_t>(i)].code == code) return i;
  return 0;
}

const KeyName& CKeyNameTable::EntryOfKey(int code, int* index) const {
  int i = IndexOfKey(code);
  if (index) *index = i;
  return entries_[static_cast<size_t>(i)];
}

int CKeyNameTable::KeyOfIndex(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return entries_[static_cast<size_t>(index)].code;
}
