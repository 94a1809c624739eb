// What a window says after it tried to store what the user entered.
#pragma once

namespace save_text {

constexpr char kSaved[] = "保存成功";
// Disk space and rights are what a save in the program's folder runs out of.
constexpr char kFailed[] = "保存失败,请检查磁盘空间和写入权限";

}  // namespace save_text
