#include "ledger/LedgerEntryEdit.h"

#include <cctype>

#include "common/Text.h"

void LedgerEntryEdit::StartAdd(const MinuteTime& now) {
  mode = kAdd;
  type = 1;
  ShowNow(now);
  amount = 0;
  storedAmountText.clear();
  remark.clear();
}

void LedgerEntryEdit::StartChange(const ledger::LedgerRow& row) {
  mode = kChange;
  type = row.type == ledger::kIncomeText ? 1 : 0;
  time = MinuteTime{};
  ParseTimeText(row.time, time);
  amount = 0;
  storedAmountText = ledger::ParseAmount(row.amount, amount) ? std::string() : row.amount;
  remark = row.remark;
}

std::string LedgerEntryEdit::AmountText() const {
  if (mode == kAdd) return kInitialAmountText;
  return storedAmountText.empty() ? ledger::FormatAmount(amount) : storedAmountText;
}

bool IsAmountText(const std::string& text) {
  size_t i = 0, digits = 0, points = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  for (; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      ++digits;
    } else if (c == '.' && points == 0) {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0;
}

const char* LedgerEntryEdit::Accept(const int (&selection)[kListCount], bool income,
                                    const std::string& amountText, const std::string& remarkText) {
  std::string trimmed = text::Trim(amountText);
  int64_t typed = 0;
  if (!IsAmountText(trimmed) || !ledger::ParseAmount(trimmed, typed)) return kNotAnAmount;
  if (mode == kAdd && !ChosenTime(selection, time)) return kNoTimeChosen;
  type = income ? 1 : 0;
  amount = typed;
  remark = remarkText;
  return nullptr;
}

ledger::LedgerRow LedgerEntryEdit::ToRow() const {
  return {false, type == 1 ? ledger::kIncomeText : ledger::kExpenseText, FormatTimeText(time),
          ledger::FormatAmount(amount), remark};
}
