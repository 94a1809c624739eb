// The programs as built: 64-bit images whose manifest names their own
// architecture (a 64-bit program that claims "x86" does not start on
// Windows), and the fixed-size files they keep, read and rewritten byte for
// byte as earlier (32-bit) versions wrote them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/CenterRect.h"
#include "capture/SnapshotSettings.h"
#include "app/win/HomePage.h"
#include "assistant/win/HookLibrary.h"
#include "common/File.h"
#include "common/RecordStore.h"
#include "common/win/ProgramFolder.h"
#include "online/Site.h"
#include "tests/support/TempFolder_windows.h"

namespace {

// A path of the build machine as this program sees it under Wine.
std::string HostFolder(const char* unixPath) {
  std::string p = std::string("Z:") + unixPath;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p + "\\";
}

std::string Fixture(const char* name) { return HostFolder(BROVA_SOURCE_DIR) + "tests\\fixtures\\records\\" + name; }

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(file::ReadAll(path, bytes)) << path;
  return bytes;
}

// The machine type in a program file's PE header.
WORD MachineOf(const std::string& bytes) {
  if (bytes.size() < 0x40) return 0;
  DWORD at = 0;
  std::memcpy(&at, bytes.data() + 0x3C, sizeof at);
  if (at + 6 > bytes.size() || bytes.compare(at, 4, std::string("PE\0\0", 4)) != 0) return 0;
  WORD machine = 0;
  std::memcpy(&machine, bytes.data() + at + 4, sizeof machine);
  return machine;
}

// The value of attribute name in the first element tag of xml.
std::string Attribute(const std::string& xml, const std::string& tag, const std::string& name) {
  size_t start = xml.find("<" + tag);
  if (start == std::string::npos) return "";
  size_t end = xml.find('>', start);
  size_t at = xml.find(" " + name + "=\"", start);
  if (at == std::string::npos || at > end) return "";
  at += name.size() + 3;
  return xml.substr(at, xml.find('"', at) - at);
}

TEST(Platform, ProgramsAre64BitAndTheManifestSaysSo) {
  const std::string stage = HostFolder(BROVA_STAGE_DIR);
  for (const char* program : {"brova.exe", "Uninstall.exe", "upkit.exe", "data\\trelk.dll"})
    EXPECT_EQ(MachineOf(ReadBytes(stage + program)), IMAGE_FILE_MACHINE_AMD64) << program;

  for (const std::string name : {"brova", "Uninstall"}) {
    const std::string program = stage + name + ".exe";  // ASCII
    HMODULE image = LoadLibraryExW(std::wstring(program.begin(), program.end()).c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr) << name;
    HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << name << " carries no manifest";
    const char* data = static_cast<const char*>(LockResource(LoadResource(image, found)));
    const std::string manifest(data, SizeofResource(image, found));
    FreeLibrary(image);
    // The program's own identity names its architecture; the common controls
    // it depends on are taken for whatever architecture runs it.
    EXPECT_EQ(Attribute(manifest, "assemblyIdentity", "name"), "Vistrel." + name);
    EXPECT_EQ(Attribute(manifest, "assemblyIdentity", "processorArchitecture"), "amd64");
    const std::string dependency = manifest.substr(manifest.find("<dependentAssembly"));
    EXPECT_EQ(Attribute(dependency, "assemblyIdentity", "name"), "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(Attribute(dependency, "assemblyIdentity", "processorArchitecture"), "*");
  }
}

TEST(Platform, RecordsOfEarlierVersionsAreReadAndWrittenByteForByte) {
  TempFolder tmp;
  const std::string out = tmp.path() + "records";

  // Capture settings: three hot keys, two switches, a GBK folder.
  CRecordStore<SnapshotSettings> fixture(Fixture(""), "snapshot.dat");
  EXPECT_EQ(fixture.Load(), 0);
  const SnapshotSettings& settings = fixture.Current();
  EXPECT_EQ(settings.fullScreen, (HotKey{0x41, 1, 0, 1}));
  EXPECT_EQ(settings.window, (HotKey{0x70, 0, 1, 0}));
  EXPECT_EQ(settings.region, HotKey{});
  EXPECT_EQ(settings.toClipboard, 0);
  EXPECT_EQ(settings.toFile, 1);
  EXPECT_EQ(settings.folder, "D:\\截图\\");
  ASSERT_TRUE(CRecordStore<SnapshotSettings>(out, "").Save(settings));
  EXPECT_EQ(ReadBytes(out), ReadBytes(Fixture("snapshot.dat")));

  // The management center's rectangle, on a monitor left of the primary one.
  const Rect rect = center_rect::Decode(ReadBytes(Fixture("infotool.dat")), Rect{});
  EXPECT_EQ(rect.left, -1280);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right, -1000);
  EXPECT_EQ(rect.bottom, 700);
  ASSERT_TRUE(center_rect::Save(out, rect));
  EXPECT_EQ(ReadBytes(out), ReadBytes(Fixture("infotool.dat")));
  file::Remove(out);
}

// Every path resolves against the program folder: a current directory that
// a shell dialog moved to a folder with data files of its own changes
// nothing.
TEST(Platform, AChangedCurrentDirectoryChangesNothing) {
  TempFolder elsewhere;
  ASSERT_TRUE(file::CreateDir(elsewhere.path() + "data"));
  ASSERT_TRUE(file::WriteAtomic(elsewhere.path() + "data\\main.htm", "[HOME_PAGE]\r\nhttp://elsewhere.test/\r\n"));
  ASSERT_TRUE(CopyFileW(text::Widen(HostFolder(BROVA_STAGE_DIR) + "data\\trelk.dll").c_str(),
                        text::Widen(elsewhere.path() + "data\\trelk.dll").c_str(), FALSE));
  const std::string ownData = ProgramFolder() + "data\\";
  ASSERT_FALSE(file::Exists(ownData)) << "the test program's folder has no data files";
  wchar_t before[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(text::Widen(elsewhere.path()).c_str()));

  EXPECT_EQ(HomePageUrl(), SiteBaseUrl() + "/?brova");
  CHookLibrary hook;
  hook.Install(nullptr);
  EXPECT_FALSE(hook.loaded());
  // The program folder's own page is the one read.
  ASSERT_TRUE(file::CreateDir(ownData));
  ASSERT_TRUE(file::WriteAtomic(ownData + "main.htm", "[HOME_PAGE]\r\nhttp://own.test/\r\n"));
  EXPECT_EQ(HomePageUrl(), "http://own.test/");
  file::Remove(ownData + "main.htm");
  RemoveDirectoryW(text::Widen(ownData).c_str());

  EXPECT_EQ(InProgramFolder("data\\plan.ini"), ProgramFolder() + "data\\plan.ini");
  EXPECT_EQ(InProgramFolder("D:\\skin\\a.bmp"), "D:\\skin\\a.bmp");
  EXPECT_EQ(InProgramFolder("\\\\host\\share\\a.bmp"), "\\\\host\\share\\a.bmp");
  SetCurrentDirectoryW(before);
}

}  // namespace
