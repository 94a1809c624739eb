#include "plans/PlanStore.h"

int ForEachPlanRecord(
    const std::string& path,
    const std::function<void(const std::string&, std::string, const std::string&)>& deliver) {
  return ForEachRecord(path, kRepeatMarker, deliver);
}

int ReadPlanFile(std::vector<PlanRow>& rows, const std::string& path) {
  rows.clear();
  return ForEachPlanRecord(path, [&](const std::string& timeText, std::string content, const std::string& repeat) {
    rows.push_back({timeText, std::move(content), repeat});
  });
}

int WritePlanFile(const std::vector<PlanRow>& rows, const std::string& path, RecordBackup backup) {
  CRecordWriter records(kRepeatMarker);
  for (const PlanRow& row : rows) records.Add(row.timeText, row.content, row.repeat);
  return records.Write(path, backup);
}
