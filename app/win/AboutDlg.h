// The about box, from the about command of the menus (and the same layout
// from the application's standard about command).
#pragma once
#include "common/win/SkinButton.h"
#include "win/Dialog.h"

class CAboutDlg : public win::Dialog {
 public:
  explicit CAboutDlg(int templateId);

 protected:
  BOOL OnInitDialog() override;

 private:
  CSkinButton ok_;
  CSkinButton homePage_;
};
