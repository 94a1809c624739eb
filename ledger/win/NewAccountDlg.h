// "新建账号-Tolvana": a name box; "创建" creates the account and ends with
// IDOK, or shows why not and stays open.
#pragma once
#include <string>

#include "common/win/EditorDlg.h"

class CNewAccountDlg : public CEditorDlg {
 public:
  explicit CNewAccountDlg(std::string accountFolder);

 protected:
  BOOL OnInitDialog() override;
  void Save() override;

 private:
  std::string accountFolder_;
};
