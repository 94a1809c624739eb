#include "app/Launcher.h"

#include "common/FieldList.h"
#include "common/SectionFile.h"

namespace launcher {
namespace {
constexpr char kSeparator = '*';
const char kUrl[] = "URL";
const char kMenu[] = "MENU";
}  // namespace

std::vector<std::string> ReadButtonLines(CSectionFile& page) {
  std::vector<std::string> lines;
  page.ReadList("[BUTTON_LIST_BEGIN]", "[BUTTON_LIST_END]", lines, kButtonCapacity);
  return lines;
}

std::vector<std::string> ReadMenuLines(CSectionFile& page, const std::string& name) {
  std::vector<std::string> lines;
  page.ReadList("[" + name + "_BEGIN]", "[" + name + "_END]", lines, CSectionFile::kListCapacity);
  return lines;
}

std::vector<Button> ButtonsOf(const std::vector<std::string>& lines) {
  std::vector<Button> buttons;
  CFieldList fields;
  for (const std::string& line : lines) {
    if (static_cast<int>(buttons.size()) == kButtonCapacity) break;
    if (fields.Split(line, kSeparator, false) < 2) continue;
    buttons.push_back({fields[0], line});
  }
  return buttons;
}

Action ButtonAction(const std::string& line) {
  CFieldList fields;
  if (fields.Split(line, kSeparator, false) < 3) return {};
  if (fields[1] == kUrl) return {Action::kOpen, fields[2]};
  if (fields[1] == kMenu) return {Action::kShowMenu, fields[2]};
  return {};
}

Action MenuItemAction(const std::string& line) {
  CFieldList fields;
  if (fields.Split(line, kSeparator, false) < 3 || fields[1] != kUrl) return {};
  return {Action::kOpen, fields[2]};
}

void CMenuItemTable::Reset(int base) {
  base_ = base;
  lines_.clear();
}

int CMenuItemTable::MenuItemId(const std::string& line) {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i] == line) return base_ + static_cast<int>(i);
  if (Count() >= kMenuItemCapacity) return -1;
  lines_.push_back(line);
  return base_ + Count() - 1;
}

const std::string* CMenuItemTable::LineOf(int id) const {
  if (id < base_ || id >= base_ + Count()) return nullptr;
  return &lines_[static_cast<size_t>(id - base_)];
}

std::vector<MenuItem> BuildMenu(const std::vector<std::string>& lines, CMenuItemTable& table) {
  std::vector<MenuItem> items;
  CFieldList fields;
  for (const std::string& line : lines) {
    int id = table.MenuItemId(line);
    if (fields.Split(line, kSeparator, false) == 0 || id < 0) continue;
    if (fields[0] == "-")
      items.push_back({id, true, std::string()});
    else
      items.push_back({id, false, fields[0]});
  }
  return items;
}

CommandTarget RouteCommand(int id, int buttonCount, const CMenuItemTable& table) {
  if (id >= kFirstButtonId && id < kFirstButtonId + buttonCount) return {CommandTarget::kButton, id - kFirstButtonId};
  if (table.LineOf(id)) return {CommandTarget::kMenuItem, id - table.Base()};
  return {};
}

}  // namespace launcher
