// "新建账号-Tolvana": a name box; "创建" creates the account and ends with
// IDOK, or shows why not and stays open.
#pragma once
#include <string>

#include "common/win/SkinButton.h"
#include "win/Dialog.h"

class CNewAccountDlg : public win::Dialog {
 public:
  explicit CNewAccountDlg(std::string accountFolder);

 protected:
  BOOL OnInitDialog() override;
  bool OnButtonClicked(int id) override;
  void OnOK() override { Create(); }

 private:
  void Create();

  std::string accountFolder_;
  CSkinButton create_, cancel_;
};
