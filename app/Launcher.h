// The launcher of the management center: buttons and link menus defined by
// "data\main.htm". A launcher line is "caption*type*target*" (fields end with
// "*"); a menu line is "caption*URL*address*", or "-*" for a separator.
#pragma once
#include <string>
#include <vector>

class CSectionFile;

namespace launcher {

constexpr int kFirstButtonId = 1374;  // launcher button i has command id 1374 + i
constexpr int kButtonCapacity = 50;
constexpr int kMenuItemCapacity = 200;

// The lines of "[BUTTON_LIST_BEGIN]" ... "[BUTTON_LIST_END]", at most 50.
std::vector<std::string> ReadButtonLines(CSectionFile& page);
// The lines of "[" + name + "_BEGIN]" ... "[" + name + "_END]", at most 50.
std::vector<std::string> ReadMenuLines(CSectionFile& page, const std::string& name);

struct Button {
  std::string caption;
  std::string line;  // the whole launcher line, read again on each click
};
// The lines that become buttons, in order: those with at least two fields.
std::vector<Button> ButtonsOf(const std::vector<std::string>& lines);

// What a click on a launcher button or a menu item does.
struct Action {
  enum Kind { kNothing, kOpen, kShowMenu };
  Kind kind = kNothing;
  std::string target;  // the address to open, or the menu name
};
// "URL" opens field 2, "MENU" shows the menu named by field 2; the type is
// matched exactly, and a line with fewer than three fields does nothing.
Action ButtonAction(const std::string& line);
// Only "URL" items with an address open anything; menus do not nest.
Action MenuItemAction(const std::string& line);

// The command ids of launcher-menu items. Ids follow the launcher buttons'
// ids; an identical line in any menu of the window gets the same id.
class CMenuItemTable {
 public:
  explicit CMenuItemTable(int base = kFirstButtonId) : base_(base) {}
  void Reset(int base);
  int Base() const { return base_; }
  int Count() const { return static_cast<int>(lines_.size()); }

  // The id of line, adding it when new; -1 when the table is full.
  int MenuItemId(const std::string& line);
  // The line of an item id, or nullptr when id is not one of ours.
  const std::string* LineOf(int id) const;

 private:
  int base_;
  std::vector<std::string> lines_;
};

struct MenuItem {
  int id;
  bool separator;
  std::string caption;
};
// The items of a launcher menu built from its lines, ids taken from table.
// A line without fields and a line the full table cannot take give no item.
std::vector<MenuItem> BuildMenu(const std::vector<std::string>& lines, CMenuItemTable& table);

// What a WM_COMMAND id means to the management center.
struct CommandTarget {
  enum Kind { kNone, kButton, kMenuItem };
  Kind kind = kNone;
  int index = 0;  // launcher button index, or menu item index
};
CommandTarget RouteCommand(int id, int buttonCount, const CMenuItemTable& table);

}  // namespace launcher
