// The application: refuses a second copy, fixes the working folder and the
// data folder, makes the shared GDI objects and the frame, runs the message
// loop, and at the end starts the updater when a new program is staged.
#pragma once
#include <memory>

class CMainFrame;

class CTest2App {
 public:
  CTest2App();
  ~CTest2App();
  // False when the program must end at once (second copy, no frame).
  bool InitInstance();
  int Run();
  int ExitInstance(int code);

 private:
  std::unique_ptr<CMainFrame> frame_;
};
