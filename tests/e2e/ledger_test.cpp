// The ledger as a user reaches it from the management center: the account
// login on a fresh folder, entries added, changed and deleted, reports and
// both exports. What the windows show is what the entry file and the
// exported files hold. The exports open in a copy of probe.exe registered
// for .txt and .html, which records what it was asked to open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/PlannerSupport.h"

namespace {

using namespace planner_e2e;

constexpr char kLoginTitle[] = "登录计账管理-Tolvana";
constexpr char kLedgerTitle[] = "[测试账号]计账管理-Tolvana";
constexpr char kEntryTitle[] = "计账编辑-Tolvana";
constexpr char kReportTitle[] = "账目报表-Tolvana";
constexpr int kList = 1025;
constexpr unsigned kWmClose = 0x0010;

std::string FileSize(const std::string& path) {
  std::error_code error;
  return std::to_string(std::filesystem::file_size(path, error));
}
const std::string kProbe = std::string(BROVA_BUILD_DIR) + "/win/probe.exe";

void ClickRow(e2e::Session& s, const std::string& window, int id, int row, int x) {
  auto list = s.Item(window, id);
  ASSERT_TRUE(list);
  Box r;
  std::istringstream in(s.Winctl("lvrect " + list->handle + " " + std::to_string(row)).out);
  in >> r.left >> r.top >> r.right >> r.bottom;
  ASSERT_GT(r.bottom, r.top) << "row " << row;
  Click(s, r.left + x, (r.top + r.bottom) / 2);
}

// Adds an entry in the editor: the day (year, month, day, hour, minute), type, amount, remark.
void AddEntry(e2e::Session& s, const int (&when)[5], bool income, const std::string& amount,
              const std::string& remark) {
  ClickItem(s, kLedgerTitle, 1018);
  // By handle: an editor closed just before may not be gone yet.
  auto editor = s.WaitForWindow(kEntryTitle);
  ASSERT_TRUE(editor);
  const std::string& w = editor->handle;
  const int lists[] = {1024, 1002, 1003, 1004, 1005};
  const int first[] = {2000, 1, 1, 0, 0};
  for (int i = 0; i < 5; ++i) ChooseEntry(s, w, lists[i], when[i] - first[i]);
  ClickItem(s, w, income ? 1026 : 1027);
  SetText(s, w, 1029, amount);
  SetText(s, w, 1008, remark);
  ClickItem(s, w, 1015);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return !s.Window(w); }));
}

std::string Entry(const std::string& payload, const std::string& content) {
  return "||TIME:" + payload + "\r\n||CONTENT:" + content + "\r\n";
}

// .txt and .html files open in the probe, which notes them and ends: the
// prefix's own Notepad would load a large export while the ledger waits for
// it to be ready for input.
void OpenExportsInTheProbe(e2e::Session& s) {
  s.Shell("cp " + e2e::ShellQuote(kProbe) + " " + e2e::ShellQuote(s.appDir() + "/probe.exe"));
  const std::string command = "\"" + e2e::Session::WinPath(s.appDir()) + "\\probe.exe\" \"%1\"";
  for (const char* ext : {".txt", ".html"}) {
    for (const char* root : {"HKLM", "HKCU"})
      ASSERT_EQ(s.Winctl(std::string("reg-write '") + root + "\\Software\\Classes\\" + ext + "' '' brovaprobe").status, 0);
  }
  ASSERT_EQ(s.Winctl("reg-write 'HKLM\\Software\\Classes\\brovaprobe\\shell\\open\\command' '' " +
                     e2e::ShellQuote(command)).status, 0);
}

TEST(Ledger, FromTheCenterEntriesReportsAndExportsHoldWhatTheWindowsShow) {
  e2e::Session s;
  OpenExportsInTheProbe(s);
  StartBrova(s);
  s.Post("Pagorin", frame_msg::kOpenCenter);
  ASSERT_TRUE(s.WaitForWindow("Tolvana"));
  ClickItem(s, "Tolvana", 1024);  // 计账管理

  // A fresh folder offers the default account and creates its marker.
  ASSERT_TRUE(s.WaitForWindow(kLoginTitle));
  EXPECT_EQ(Rows(s, kLoginTitle, 1022), std::vector<std::string>{"测试账号"});
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return e2e::ListDir(s.appDir() + "/account").size() == 1; }));
  EXPECT_EQ(e2e::ReadFile(s.appDir() + "/account/测试账号.ini"), "");
  ClickItem(s, kLoginTitle, 1028);
  EXPECT_EQ(TakeMessage(s, "请选择"), "请选择要登录的账号");
  s.KeepScreenshot("ledger-login");
  ClickRow(s, kLoginTitle, 1022, 0, 40);
  ClickItem(s, kLoginTitle, 1028);
  ASSERT_TRUE(s.WaitForWindow(kLedgerTitle));
  EXPECT_FALSE(s.Window(kLoginTitle));

  const std::tm now = LocalNow();
  const int year = now.tm_year + 1900, month = now.tm_mon + 1, day = now.tm_mday;
  const std::string today = text::Format("%04d-%02d-%02d", year, month, day);
  const std::string lastYear = text::Format("%04d-01-15 10:00", year - 1);
  AddEntry(s, {year, month, day, 9, 30}, true, "1234.50", "工资");
  AddEntry(s, {year, month, day, 8, 0}, false, "12.5", "");
  // Not a number: the editor says so and keeps the entry open.
  ClickItem(s, kLedgerTitle, 1018);
  ASSERT_TRUE(s.WaitForWindow(kEntryTitle));
  s.KeepScreenshot("ledger-editor");
  SetText(s, kEntryTitle, 1029, "1,234.50");
  ClickItem(s, kEntryTitle, 1015);
  EXPECT_EQ(TakeMessage(s, "账目金额"), "账目金额必须是数字,例如 1234.50");
  const std::string cancelled = s.Window(kEntryTitle)->handle;
  ClickItem(s, kEntryTitle, 2);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return !s.Window(cancelled); }));
  AddEntry(s, {year - 1, 1, 15, 10, 0}, false, "3", "旧账");

  const std::string file = s.appDir() + "/account/测试账号.dat";
  auto fileHolds = [&](const std::string& utf8) {
    return e2e::Session::WaitUntil([&] { return text::FromGb(e2e::ReadFile(file)) == utf8; });
  };
  EXPECT_TRUE(fileHolds(Entry("支出*" + lastYear + "*3.000000", "旧账") +
                        Entry("支出*" + today + " 08:00*12.500000", "NULL") +
                        Entry("收入*" + today + " 09:30*1234.500000", "工资")))
      << text::FromGb(e2e::ReadFile(file));
  EXPECT_EQ(Rows(s, kLedgerTitle, kList),
            (std::vector<std::string>{"未选中\t支出\t" + lastYear + "\t3.000000\t旧账",
                                      "未选中\t支出\t" + today + " 08:00\t12.500000\t",
                                      "未选中\t收入\t" + today + " 09:30\t1234.500000\t工资"}));

  // Change the last entry: its time lists are locked, the rest changes.
  ClickRow(s, kLedgerTitle, kList, 2, 100);
  EXPECT_TRUE(e2e::Session::WaitUntil(
      [&] { return s.Item(kLedgerTitle, 1009)->text == "收入，时间：" + today + " 09:30，金额：1234.500000"; }));
  ClickItem(s, kLedgerTitle, 1019);
  ASSERT_TRUE(s.WaitForWindow(kEntryTitle));
  EXPECT_FALSE(s.Item(kEntryTitle, 1024)->enabled);
  EXPECT_EQ(s.Item(kEntryTitle, 1029)->text, "1234.500000");
  SetText(s, kEntryTitle, 1029, "99999.99");
  SetText(s, kEntryTitle, 1008, "工资, 五月\r\n<奖金> & \"税\"");
  ClickItem(s, kEntryTitle, 1015);
  ASSERT_TRUE(s.WaitForNoWindow(kEntryTitle));
  const std::string changed = Entry("收入*" + today + " 09:30*99999.990000", "工资, 五月-----CR-----LF-----<奖金> & \"税\"");
  // (winctl shows line breaks as blanks.) The editor is gone before the
  // ledger has saved and shown the changed row: wait for it.
  EXPECT_TRUE(e2e::Session::WaitUntil(
      [&] { return s.Item(kLedgerTitle, 1023)->text == "工资, 五月  <奖金> & \"税\""; }))
      << s.Item(kLedgerTitle, 1023)->text;

  // Delete takes the checked rows only.
  ClickItem(s, kLedgerTitle, 1020);
  EXPECT_EQ(TakeMessage(s, "请先"), "请先选择要删除的项");
  ClickRow(s, kLedgerTitle, kList, 1, 8);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    auto rows = Rows(s, kLedgerTitle, kList);
    return rows.size() == 3 && rows[1].rfind("选中\t", 0) == 0;
  }));
  s.KeepScreenshot("ledger-entries");
  ClickItem(s, kLedgerTitle, 1020);
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return Rows(s, kLedgerTitle, kList).size() == 2; }));
  EXPECT_TRUE(fileHolds(Entry("支出*" + lastYear + "*3.000000", "旧账") + changed))
      << text::FromGb(e2e::ReadFile(file));
  ASSERT_EQ(Rows(s, kLedgerTitle, kList).size(), 2u);
  EXPECT_EQ(Rows(s, kLedgerTitle, kList)[1], "未选中\t收入\t" + today + " 09:30\t99999.990000\t工资, 五月  <奖金> & \"税\"");

  // A save that fails (a folder holds the file's name) says so; the entry
  // stays in the window. (Outside the ranges of the reports below.)
  s.Shell("rm " + e2e::ShellQuote(file) + " && mkdir " + e2e::ShellQuote(file));
  AddEntry(s, {year - 1, 6, 1, 10, 0}, true, "5", "");
  EXPECT_EQ(TakeMessage(s, "保存失败"), "保存失败,请检查磁盘空间和写入权限");
  EXPECT_EQ(Rows(s, kLedgerTitle, kList).size(), 3u);
  s.Shell("rmdir " + e2e::ShellQuote(file));

  // Reports: a custom range of last year's day, expenses only; then this month.
  ClickItem(s, kLedgerTitle, 1021);
  ASSERT_TRUE(s.WaitForWindow(kReportTitle));
  int selected = -1;
  auto presets = ComboEntries(s, kReportTitle, 1034, &selected);
  EXPECT_EQ(presets, (std::vector<std::string>{text::Format("今天(%d月%d日)", month, day), text::Format("本月(%d月)", month),
                                               text::Format("本年(%d年)", year), "所有时间"}));
  EXPECT_EQ(selected, 0);
  EXPECT_TRUE(Rows(s, kReportTitle, kList).empty());
  ClickItem(s, kReportTitle, 1031);
  const int custom[] = {1035, 1036, 1037, 1026, 1004, 1005};
  const int chosen[] = {year - 1 - 2000, 0, 14, year - 1 - 2000, 0, 14};
  for (int i = 0; i < 6; ++i) ChooseEntry(s, kReportTitle, custom[i], chosen[i]);
  ChooseEntry(s, kReportTitle, 1033, 1);
  ClickItem(s, kReportTitle, 1032);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return Rows(s, kReportTitle, kList) == std::vector<std::string>{"未选中\t支出\t" + lastYear + "\t3.000000\t旧账",
                                                                 "未选中\t总计\t----\t-3.000000\t----"};
  }));
  ClickItem(s, kReportTitle, 1030);
  ChooseEntry(s, kReportTitle, 1034, 1);
  ChooseEntry(s, kReportTitle, 1033, 2);
  ClickItem(s, kReportTitle, 1032);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return Rows(s, kReportTitle, kList) ==
           std::vector<std::string>{"未选中\t收入\t" + today + " 09:30\t99999.990000\t工资, 五月  <奖金> & \"税\"",
                                    "未选中\t总计\t----\t99999.990000\t----"};
  }));
  ClickRow(s, kReportTitle, kList, 1, 100);
  EXPECT_TRUE(e2e::Session::WaitUntil(
      [&] { return s.Item(kReportTitle, 1009)->text == "总计，时间：----，金额：99999.990000"; }));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return s.Item(kReportTitle, 1023)->text == "----"; }));
  s.KeepScreenshot("ledger-report");

  // Both exports hold the listed rows and open with their programs.
  ClickItem(s, kReportTitle, 1038);
  EXPECT_EQ(TakeMessage(s, "输出成功"), "输出成功.  保存位置为:" + e2e::Session::WinPath(s.appDir()) + "\\export.txt");
  EXPECT_EQ(text::FromGb(e2e::ReadFile(s.appDir() + "/export.txt")),
            "收入," + today + " 09:30,99999.990000,工资， 五月 <奖金> & \"税\"\r\n总计,----,99999.990000,----\r\n");
  ClickItem(s, kReportTitle, 1039);
  TakeMessage(s, "输出成功");
  EXPECT_EQ(text::FromGb(e2e::ReadFile(s.appDir() + "/export.html")),
            "<html><head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
            "<title>导出报表</title></head><body>\r\n<h3>导出报表</h3>\r\n<table border=1 width=90%>\r\n"
            "<tr height=22><td>账目类型</td><td>账目时间</td><td>账目金额</td><td>备注说明</td></tr>"
            "<tr height=20><td>收入</td><td>" + today + " 09:30</td><td>99999.990000</td>"
            "<td>工资, 五月<br>&lt;奖金&gt; &amp; &quot;税&quot;</td></tr>\r\n"
            "<tr height=20><td>总计</td><td>----</td><td>99999.990000</td><td>----</td></tr>\r\n"
            "</table></body></html>");
  std::string log;
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    log = e2e::ReadFile(s.appDir() + "/probe.log");
    return log.find("export.html") != std::string::npos;
  })) << log;
  EXPECT_NE(log.find("probe.exe\t" + e2e::Session::WinPath(s.appDir()) + "\\export.txt\n"), std::string::npos) << log;
}

// Files the user already has: an account with 100,000 entries of 123.45 and
// a day of 0.1 + 0.2 - 0.3, one over the size limit, one with a ".bak"; and a
// plan file too large to read. Totals are exact in the report and both
// exports; files that cannot be read are kept; "删除账号" leaves nothing.
TEST(Ledger, TotalsAreExactToTheMillionthAndFilesItCannotReadAreKept) {
  e2e::Session s;
  OpenExportsInTheProbe(s);
  const std::string folder = s.appDir() + "/account/";
  s.Shell("mkdir -p " + e2e::ShellQuote(folder) + " " + e2e::ShellQuote(s.appDir() + "/data"));
  std::string many, listedMany, textMany, htmlMany;
  for (int i = 0; i < 100000; ++i) {
    many += Entry("收入*2020-01-01 10:00*123.450000", "NULL");
    textMany += "收入,2020-01-01 10:00,123.450000,\r\n";
    htmlMany += "<tr height=20><td>收入</td><td>2020-01-01 10:00</td><td>123.450000</td><td>&nbsp;</td></tr>\r\n";
  }
  const std::string day = Entry("支出*2021-03-03 08:00*0.100000", "咖啡€") + Entry("支出*2021-03-03 09:00*0.200000", "NULL") +
                          Entry("收入*2021-03-03 10:00*0.300000", "退款");
  for (const char* name : {"账本", "大账", "旧账"}) ASSERT_TRUE(e2e::WriteFile(folder + name + ".ini", ""));
  ASSERT_TRUE(e2e::WriteFile(folder + "账本.dat", text::ToGb(many + day)));
  ASSERT_TRUE(e2e::WriteFile(folder + "旧账.dat", text::ToGb(day)));
  ASSERT_TRUE(e2e::WriteFile(folder + "旧账.dat.bak", text::ToGb(day)));
  ASSERT_TRUE(e2e::WriteFile(folder + "大账.dat", text::ToGb(day)));
  ASSERT_TRUE(e2e::WriteFile(PlanFilePath(s), text::ToGb(Record("2031-05-28 09:00", "a"))));
  const std::string tooLarge = std::to_string((256 << 20) + 1);
  s.Shell("truncate -s " + tooLarge + " " + e2e::ShellQuote(folder + "大账.dat") + " " + e2e::ShellQuote(PlanFilePath(s)));
  StartBrova(s);

  // The planner says it cannot read its file and offers nothing that saves.
  s.Post("Pagorin", kWmCommand, kShowPlanManager);
  EXPECT_EQ(TakeMessage(s, "计划文件"), "计划文件无法读取");
  ASSERT_TRUE(s.WaitForWindow(kManagerTitle));
  EXPECT_FALSE(s.Item(kManagerTitle, 1018)->enabled);
  s.Post(kManagerTitle, kWmClose);
  ASSERT_TRUE(s.WaitForNoWindow(kManagerTitle));
  EXPECT_EQ((FileSize(PlanFilePath(s))), tooLarge);

  auto login = [&](const std::string& name) {
    s.Post("Pagorin", frame_msg::kOpenCenter);
    ASSERT_TRUE(s.WaitForWindow("Tolvana"));
    ClickItem(s, "Tolvana", 1024);  // 计账管理
    ASSERT_TRUE(s.WaitForWindow(kLoginTitle));
    auto rows = Rows(s, kLoginTitle, 1022);
    auto at = std::find(rows.begin(), rows.end(), name);
    ASSERT_NE(at, rows.end()) << name;
    ClickRow(s, kLoginTitle, 1022, static_cast<int>(at - rows.begin()), 40);
  };
  // Deleting an account takes every file of it, the ".bak" too.
  login("旧账");
  ClickItem(s, kLoginTitle, 1010);
  std::optional<e2e::WindowInfo> question;
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows())
      if (w.text == "brova" && w.visible && w.cls == "#32770" && s.Item(w.handle, 6)) question = w;
    return question.has_value();
  }));
  auto yes = s.Item(question->handle, 6);
  Click(s, yes->centerX(), yes->centerY());
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return Rows(s, kLoginTitle, 1022).size() == 2; }));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    auto left = e2e::ListDir(folder);
    std::sort(left.begin(), left.end());
    return left == std::vector<std::string>{"大账.dat", "大账.ini", "账本.dat", "账本.ini"};
  }));

  // An entry file over the size limit: said so, and nothing can save over it.
  ClickRow(s, kLoginTitle, 1022, Rows(s, kLoginTitle, 1022)[0] == "大账" ? 0 : 1, 40);
  ClickItem(s, kLoginTitle, 1028);
  EXPECT_EQ(TakeMessage(s, "账目文件"), "账目文件太大,无法打开");
  ASSERT_TRUE(s.WaitForWindow("[大账]计账管理-Tolvana"));
  for (int id : {1018, 1019, 1020}) EXPECT_FALSE(s.Item("[大账]计账管理-Tolvana", id)->enabled) << id;
  s.Post("[大账]计账管理-Tolvana", kWmClose);
  ASSERT_TRUE(s.WaitForNoWindow("[大账]计账管理-Tolvana"));
  EXPECT_EQ((FileSize(folder + "大账.dat")), tooLarge);

  login("账本");
  ClickItem(s, kLoginTitle, 1028);
  const std::string ledgerTitle = "[账本]计账管理-Tolvana";
  ASSERT_TRUE(s.WaitForWindow(ledgerTitle));
  auto tail = [&](const std::string& window, int first) {
    auto list = s.Item(window, kList);
    std::vector<std::string> rows;
    if (!list) return rows;
    std::istringstream in(s.Winctl("listview " + list->handle + " " + std::to_string(first)).out);
    for (std::string line; std::getline(in, line);)
      if (!line.empty()) rows.push_back(line);
    return rows;
  };
  EXPECT_EQ(tail(ledgerTitle, 100002), std::vector<std::string>{"未选中\t收入\t2021-03-03 10:00\t0.300000\t退款"});
  // The five columns fit beside the vertical scroll bar.
  EXPECT_EQ(s.Item(ledgerTitle, kList)->style & 0x00300000ul, 0x00200000ul);  // WS_VSCROLL, no WS_HSCROLL

  ClickItem(s, ledgerTitle, 1021);
  ASSERT_TRUE(s.WaitForWindow(kReportTitle));
  auto report = [&](int year, int month, int dayOfMonth) {
    ClickItem(s, kReportTitle, 1031);
    const int custom[] = {1035, 1036, 1037, 1026, 1004, 1005};
    const int chosen[] = {year - 2000, month - 1, dayOfMonth - 1, year - 2000, month - 1, dayOfMonth - 1};
    for (int i = 0; i < 6; ++i) ChooseEntry(s, kReportTitle, custom[i], chosen[i]);
    ClickItem(s, kReportTitle, 1032);
  };
  auto exports = [&](std::string* txt, std::string* html) {
    for (int i = 0; i < 2; ++i) {
      const std::string name = i == 0 ? "export.txt" : "export.html";
      s.Shell("rm -f " + e2e::ShellQuote(s.appDir() + "/" + name));
      ClickItem(s, kReportTitle, i == 0 ? 1038 : 1039);
      EXPECT_EQ(TakeMessage(s, "输出成功"), "输出成功.  保存位置为:" + e2e::Session::WinPath(s.appDir()) + "\\" + name);
      *(i == 0 ? txt : html) = text::FromGb(e2e::ReadFile(s.appDir() + "/" + name));
    }
  };
  const std::string head =
      "<html><head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
      "<title>导出报表</title></head><body>\r\n<h3>导出报表</h3>\r\n<table border=1 width=90%>\r\n"
      "<tr height=22><td>账目类型</td><td>账目时间</td><td>账目金额</td><td>备注说明</td></tr>";
  std::string txt, html;

  // 0.1 + 0.2 - 0.3 is zero, not "-0.000000".
  report(2021, 3, 3);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return Rows(s, kReportTitle, kList) == std::vector<std::string>{"未选中\t支出\t2021-03-03 08:00\t0.100000\t咖啡€",
                                                                 "未选中\t支出\t2021-03-03 09:00\t0.200000\t",
                                                                 "未选中\t收入\t2021-03-03 10:00\t0.300000\t退款",
                                                                 "未选中\t总计\t----\t0.000000\t----"};
  }));
  exports(&txt, &html);
  EXPECT_EQ(txt, "支出,2021-03-03 08:00,0.100000,咖啡€\r\n支出,2021-03-03 09:00,0.200000,\r\n"
                 "收入,2021-03-03 10:00,0.300000,退款\r\n总计,----,0.000000,----\r\n");
  EXPECT_EQ(html, head +
                      "<tr height=20><td>支出</td><td>2021-03-03 08:00</td><td>0.100000</td><td>咖啡€</td></tr>\r\n"
                      "<tr height=20><td>支出</td><td>2021-03-03 09:00</td><td>0.200000</td><td>&nbsp;</td></tr>\r\n"
                      "<tr height=20><td>收入</td><td>2021-03-03 10:00</td><td>0.300000</td><td>退款</td></tr>\r\n"
                      "<tr height=20><td>总计</td><td>----</td><td>0.000000</td><td>----</td></tr>\r\n"
                      "</table></body></html>");
  // "€" is stored as 0x80, as code page 936 writes it.
  EXPECT_NE(e2e::ReadFile(s.appDir() + "/export.txt").find("\xBF\xA7\xB7\xC8\x80"), std::string::npos);

  // 100,000 x 123.45 is 12345000, to the millionth.
  report(2020, 1, 1);
  EXPECT_TRUE(e2e::Session::WaitUntil([&] {
    return tail(kReportTitle, 99999) == std::vector<std::string>{"未选中\t收入\t2020-01-01 10:00\t123.450000\t",
                                                              "未选中\t总计\t----\t12345000.000000\t----"};
  }));
  EXPECT_EQ(s.Item(kReportTitle, kList)->style & 0x00300000ul, 0x00200000ul);
  // The read-only boxes keep the system's colours, not the window's paper.
  const e2e::Image shot = s.Grab();
  for (int id : {1009, 1023}) {
    auto box = s.Item(kReportTitle, id);
    ASSERT_TRUE(box && !shot.empty());
    const unsigned char* p = shot.at(box->right - 30, box->bottom - 5);
    EXPECT_FALSE(p[0] == 250 && p[1] == 255 && p[2] == 243) << id;
  }
  exports(&txt, &html);
  EXPECT_TRUE(txt == textMany + "总计,----,12345000.000000,----\r\n") << txt.substr(txt.size() > 200 ? txt.size() - 200 : 0);
  EXPECT_TRUE(html == head + htmlMany +
                          "<tr height=20><td>总计</td><td>----</td><td>12345000.000000</td><td>----</td></tr>\r\n"
                          "</table></body></html>")
      << html.substr(html.size() > 200 ? html.size() - 200 : 0);
  // Opening the account wrote nothing.
  EXPECT_EQ(e2e::ReadFile(folder + "账本.dat"), text::ToGb(many + day));
}

}  // namespace
