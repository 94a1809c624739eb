// The data of the entry editor "计账编辑-Tolvana": type, time (in its five
// time lists), amount and remark, and the check made on "保存结果". The
// dialog copies between its controls and this struct.
#pragma once
#include <cstdint>
#include <string>

#include "common/TimeLists.h"
#include "ledger/LedgerStore.h"

struct LedgerEntryEdit : TimeLists {
  static constexpr const char* kNotAnAmount = "账目金额必须是数字,例如 1234.50";
  static constexpr const char* kNoTimeChosen = "请选择账目时间";
  static constexpr const char* kInitialAmountText = "0.00";

  int type = 1;  // 1 income, 0 expense
  int64_t amount = 0;  // millionths
  // Change mode: a stored text that is no amount (a hand-edited file) is
  // shown as it stands, for the user to mend, never taken for 0.
  std::string storedAmountText;
  std::string remark;

  // Add mode showing now: income, amount "0.00".
  void StartAdd(const MinuteTime& now);
  // Change mode for a ledger row: its type, time, amount and remark; the
  // time lists are shown but cannot be changed.
  void StartChange(const ledger::LedgerRow& row);
  std::string AmountText() const;  // what the amount box shows

  // "保存结果": the lists' selections (-1 = none), the type buttons and the
  // box texts. Returns nullptr when accepted, else the message to show. The
  // amount must be a number that the ledger's amounts can hold: optional
  // sign, digits, at most one decimal point, blanks around it allowed.
  const char* Accept(const int (&selection)[kListCount], bool income, const std::string& amountText,
                     const std::string& remarkText);

  // The row the accepted data makes (unchecked).
  ledger::LedgerRow ToRow() const;
};

// True when text (already trimmed) is a plain decimal number.
bool IsAmountText(const std::string& text);
