#include "ledger/LedgerEntryEdit.h"

#include <cctype>

#include "common/Text.h"

void LedgerEntryEdit::StartAdd(const PlanTime& now) {
  PlanEditData plan;
  plan.StartAdd(now);  // a year outside the list moves to its nearest entry
  mode = kAdd;
  type = 1;
  time = plan.time;
  amount = 0;
  storedAmountText.clear();
  remark.clear();
}

void LedgerEntryEdit::StartChange(const ledger::LedgerRow& row) {
  mode = kChange;
  type = row.type == ledger::kIncomeText ? 1 : 0;
  time = PlanTime{};
  ParseTimeText(row.time, time);
  amount = 0;
  storedAmountText = ledger::ParseAmount(row.amount, amount) ? std::string() : row.amount;
  remark = row.remark;
}

int LedgerEntryEdit::SelectedIndex(List list) const {
  PlanEditData plan;
  plan.time = time;
  return plan.SelectedIndex(list);
}

std::string LedgerEntryEdit::ValueText(List list) const {
  PlanEditData plan;
  plan.time = time;
  return plan.ValueText(list);
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

const char* LedgerEntryEdit::Accept(const int (&selection)[PlanEditData::kListCount], bool income,
                                    const std::string& amountText, const std::string& remarkText) {
  std::string trimmed = text::Trim(amountText);
  int64_t typed = 0;
  if (!IsAmountText(trimmed) || !ledger::ParseAmount(trimmed, typed)) return kNotAnAmount;
  if (mode == kAdd) {
    for (int l = 0; l < PlanEditData::kListCount; ++l)
      if (selection[l] < 0 || selection[l] >= PlanEditData::EntryCount(static_cast<List>(l)))
        return kNoTimeChosen;
    time = PlanTime{PlanEditData::kBaseYear + selection[PlanEditData::kYearList],
                    selection[PlanEditData::kMonthList] + 1, selection[PlanEditData::kDayList] + 1,
                    selection[PlanEditData::kHourList], selection[PlanEditData::kMinuteList]};
  }
  type = income ? 1 : 0;
  amount = typed;
  remark = remarkText;
  return nullptr;
}

ledger::LedgerRow LedgerEntryEdit::ToRow() const {
  return {false, type == 1 ? ledger::kIncomeText : ledger::kExpenseText, FormatTimeText(time),
          ledger::FormatAmount(amount), remark};
}
