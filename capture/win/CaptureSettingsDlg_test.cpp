// The capture settings page on a real window: a save goes through the
// frame's store, reaches the file and tells the frame.
#include "capture/win/CaptureSettingsDlg.h"

#include <gtest/gtest.h>

#include "capture/SnapshotSettings.h"
#include "capture/win/CaptureSettingsStore.h"
#include "common/File.h"
#include "common/FrameMessages.h"
#include "resources/capture_ids.h"
#include "tests/support/Pump_windows.h"
#include "tests/support/TempFolder_windows.h"
#include "win/App.h"
#include "win/Controls.h"

namespace {

// The frame's side of a save: it sees the reload message.
class Frame : public win::Window {
 public:
  Frame() {
    RegisterClass(L"brova.test.frame");
    Create(0, L"brova.test.frame", "frame", WS_POPUP, 0, 0, 10, 10, nullptr);
  }
  int reloads = 0;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == frame_msg::kReloadHotKeys) ++reloads;
    return Window::WindowProc(msg, wp, lp);
  }
};

// Answers the message box the page shows after a save.
void CALLBACK ConfirmMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND box = FindWindowW(L"#32770", L"brova")) {
    KillTimer(nullptr, timer);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

TEST(CaptureSettingsPage, SavesThroughTheFramesStoreAndTellsTheFrame) {
  TempFolder tmp;
  const std::string& folder = tmp.path();
  ASSERT_TRUE(file::CreateDir(folder + "data"));
  CCaptureSettingsStore store(folder);
  const std::string path = store.Path();
  ASSERT_EQ(store.Load(), 1) << "no file: the defaults";

  Frame frame;
  win::App::SetMainWindow(&frame);
  CCaptureSettingsDlg page(store);
  ASSERT_TRUE(page.Create(frame.hwnd()));
  win::Edit folderEdit(page.hwnd(), IDC_SAVE_FOLDER);
  EXPECT_EQ(folderEdit.Text(), folder + "Snapshot\\") << "the page starts from the store";
  win::Button(page.hwnd(), IDC_TO_CLIPBOARD).SetCheck(false);
  folderEdit.SetText(" D:\\shots ");
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, ConfirmMessageBox);
  SendMessageW(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SAVE_SETTINGS, BN_CLICKED),
               reinterpret_cast<LPARAM>(page.Item(IDC_SAVE_SETTINGS)));
  KillTimer(nullptr, timer);
  test_pump::Pending();
  win::App::SetMainWindow(nullptr);

  SnapshotSettings expected = SnapshotSettings::Defaults(folder);
  expected.toClipboard = 0;
  expected.folder = "D:\\shots\\";
  EXPECT_EQ(store.Current(), expected);
  EXPECT_EQ(frame.reloads, 1);
  std::string bytes, written;
  ASSERT_TRUE(expected.Serialize(bytes));
  EXPECT_TRUE(file::ReadAll(path, written, SnapshotSettings::kSize + 1));
  EXPECT_EQ(written, bytes);
  page.Destroy();
}

}  // namespace
