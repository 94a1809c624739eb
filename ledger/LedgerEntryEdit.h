// The data of the entry editor "计账编辑-Tolvana": type, time, amount and
// remark, the entries of its five time lists, and the check made on
// "保存结果". The dialog copies between its controls and this struct.
#pragma once
#include <cstdint>
#include <string>

#include "ledger/LedgerStore.h"
#include "plans/PlanEdit.h"
#include "plans/PlanStore.h"

struct LedgerEntryEdit {
  enum Mode { kAdd = 0, kChange = 1 };
  using List = PlanEditData::List;  // the five time lists, as in the plan editor
  static constexpr const char* kNotAnAmount = "账目金额必须是数字,例如 1234.50";
  static constexpr const char* kNoTimeChosen = "请选择账目时间";
  static constexpr const char* kInitialAmountText = "0.00";

  int mode = kAdd;
  int type = 1;  // 1 income, 0 expense
  PlanTime time;
  int64_t amount = 0;  // millionths
  // Change mode: a stored text that is no amount (a hand-edited file) is
  // shown as it stands, for the user to mend, never taken for 0.
  std::string storedAmountText;
  std::string remark;

  // Add mode showing now: income, amount "0.00".
  void StartAdd(const PlanTime& now);
  // Change mode for a ledger row: its type, time, amount and remark; the
  // time lists are shown but cannot be changed.
  void StartChange(const ledger::LedgerRow& row);
  bool TimeListsEnabled() const { return mode == kAdd; }
  // The entry of a list that shows the time (-1 when none does).
  int SelectedIndex(List list) const;
  std::string ValueText(List list) const;
  std::string AmountText() const;  // what the amount box shows

  // "保存结果": the lists' selections (-1 = none), the type buttons and the
  // box texts. Returns nullptr when accepted, else the message to show. The
  // amount must be a number that the ledger's amounts can hold: optional
  // sign, digits, at most one decimal point, blanks around it allowed.
  const char* Accept(const int (&selection)[PlanEditData::kListCount], bool income, const std::string& amountText,
                     const std::string& remarkText);

  // The row the accepted data makes (unchecked).
  ledger::LedgerRow ToRow() const;
};

// True when text (already trimmed) is a plain decimal number.
bool IsAmountText(const std::string& text);
