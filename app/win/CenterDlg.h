// The management center "Tolvana": a tall, top-most column of buttons that
// open the toolbox windows, launcher buttons and link menus from
// "data\main.htm", a web search box, and the TOOL menu. Created once by the
// frame, hidden when closed, destroyed with the frame; its rectangle is kept
// in "data\infotool.dat".
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/Launcher.h"
#include "common/win/SkinButton.h"
#include "win/Dialog.h"
#include "win/Handles.h"

class CCenterDlg : public win::Dialog {
 public:
  CCenterDlg();
  ~CCenterDlg() override;

  // Enter anywhere in the window runs the search.
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(int id, int code, HWND control) override;
  void Layout() override;
  void OnClose() override;
  void OnDestroy() override;
  void OnOK() override {}

 private:
  struct LauncherSlot {
    CSkinButton button;
    std::string line;
    RECT rect{};            // the button's place, client coordinates
    win::Menu menu;         // built on the first click, kept for the window's life
  };

  void SetClickActions();
  void PlaceAtStoredRect();
  void BuildLauncherButtons();
  void OnLauncherButton(int index);
  void OnLauncherMenuItem(int index);
  HMENU BuildLauncherMenu(const std::string& name);
  void Search();
  void ShowToolMenu();
  void StoreRect();

  static constexpr int kFixedButtonCount = 10;
  CSkinButton fixed_[kFixedButtonCount];
  std::vector<std::unique_ptr<LauncherSlot>> slots_;
  launcher::CMenuItemTable menuItems_;
  bool ready_ = false;
  bool rectStored_ = false;
};
