// "关机提示框": the countdown before the automatic shutdown. One tick a
// second; at zero, or on "立即关机", it calls its shutdown action;
// "取消关机" closes it. The window's Close command is refused.
#pragma once
#include <functional>

#include "win/Dialog.h"

class CShutdownPromptDlg : public win::Dialog {
 public:
  static constexpr int kSeconds = 30;

  CShutdownPromptDlg(std::function<void()> shutDown, int seconds = kSeconds);
  // Creates the window modeless, top-most and centred, and starts counting.
  bool Open(HWND owner);

 protected:
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr UINT_PTR kTickTimer = 0;
  static constexpr UINT kTickMs = 1000;

  std::function<void()> shutDown_;
  int seconds_;
};
