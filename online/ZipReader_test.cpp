#include "online/ZipReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"
#include "online/ZipTestTime.h"

namespace {

class ZipTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    pkg_ = dir_ + "/pkg/";
    ASSERT_TRUE(file::CreateDir(pkg_));
    payload_ = Payload(100000);
    ASSERT_TRUE(file::WriteAtomic(dir_ + "/payload.txt", payload_));
  }

  static bool Have(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
  }
  // Runs a shell command in the test folder.
  bool Sh(const std::string& command) { return std::system(("cd " + dir_ + " && " + command).c_str()) == 0; }
  // Runs a python3 script in the test folder; zipfile and struct are imported.
  bool Py(const std::string& body) {
    // at_both: a field's places in the first local and the first central header.
    std::ofstream(dir_ + "/make.py") << "import zipfile, struct, sys\n"
                                        "def at_both(d, local_off, central_off):\n"
                                        "  return (d.index(b'PK\\x03\\x04') + local_off,\n"
                                        "          d.index(b'PK\\x01\\x02') + central_off)\n"
                                     << body << "\n";
    return Sh("python3 make.py");
  }
  // Text that compresses, with some noise so the deflate stream is not trivial.
  static std::string Payload(size_t size) {
    std::mt19937 rng(1);
    std::string s;
    while (s.size() < size) {
      s += "line " + std::to_string(s.size()) + " of the payload\n";
      if (rng() % 4 == 0) s += static_cast<char>(rng());
    }
    s.resize(size);
    return s;
  }
  static void Put(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
  }
  std::string Read(const std::string& path) {
    std::string data;
    EXPECT_TRUE(file::ReadAll(path, data)) << path;
    return data;
  }
  // Extracts the first entry of dir_/name copied into pkg_; the answer.
  int Extract(const std::string& name, std::string& out) {
    EXPECT_TRUE(Sh("cp " + name + " pkg/"));
    return ExtractFirstEntry(pkg_ + name, out);
  }
  void ExpectPayloadExtracted(const std::string& name, const std::string& entry = "payload.txt") {
    std::string out;
    EXPECT_EQ(Extract(name, out), 0) << name;
    EXPECT_EQ(out, pkg_ + entry);
    EXPECT_TRUE(Read(pkg_ + entry) == payload_) << name;
    file::Remove(pkg_ + entry);
  }

  std::string pkg_, payload_;
};

TEST_F(ZipTest, PackagesOfInfoZipStoredDeflatedAndWithDataDescriptor) {
  if (!Have("zip")) GTEST_SKIP() << "Info-ZIP zip missing";
  ASSERT_TRUE(Sh("zip -q -0 stored.zip payload.txt && zip -q -9 deflated.zip payload.txt"));
  // Written to a pipe, zip cannot seek back: sizes follow the data (flag bit 3).
  ASSERT_TRUE(Sh("zip -q - payload.txt | cat > descriptor.zip"));
  ExpectPayloadExtracted("stored.zip");
  ExpectPayloadExtracted("deflated.zip");
  ExpectPayloadExtracted("descriptor.zip");
}

TEST_F(ZipTest, PackagesOfPythonAndSevenZip) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  ASSERT_TRUE(Py("zipfile.ZipFile('py_stored.zip', 'w', zipfile.ZIP_STORED).write('payload.txt')\n"
                 "zipfile.ZipFile('py_deflated.zip', 'w', zipfile.ZIP_DEFLATED).write('payload.txt')\n"
                 "class Pipe:\n"
                 "  def __init__(s): s.f = open('py_descriptor.zip', 'wb')\n"
                 "  def write(s, b): return s.f.write(b)\n"
                 "  def flush(s): s.f.flush()\n"
                 "z = zipfile.ZipFile(Pipe(), 'w', zipfile.ZIP_DEFLATED)\n"
                 "with z.open('payload.txt', 'w') as f: f.write(open('payload.txt', 'rb').read())\n"
                 "z.close()\n"
                 "assert zipfile.ZipFile('py_descriptor.zip').infolist()[0].flag_bits & 8"));
  ExpectPayloadExtracted("py_stored.zip");
  ExpectPayloadExtracted("py_deflated.zip");
  ExpectPayloadExtracted("py_descriptor.zip");
  if (!Have("7z")) GTEST_SKIP() << "7z missing";
  ASSERT_TRUE(Sh("7z a -tzip -mx=9 7z_deflated.zip payload.txt >/dev/null && "
                 "7z a -tzip -mx=0 7z_stored.zip payload.txt >/dev/null"));
  ExpectPayloadExtracted("7z_deflated.zip");
  ExpectPayloadExtracted("7z_stored.zip");
}

TEST_F(ZipTest, OnlyTheFirstEntryIsWrittenAndAStubBeforeTheArchiveIsTolerated) {
  if (!Have("zip")) GTEST_SKIP() << "Info-ZIP zip missing";
  ASSERT_TRUE(file::WriteAtomic(dir_ + "/second.txt", "second entry"));
  ASSERT_TRUE(Sh("zip -q -9 several.zip payload.txt second.txt"));
  ExpectPayloadExtracted("several.zip");
  EXPECT_FALSE(file::Exists(pkg_ + "second.txt"));

  // A self-extracting stub prepended without adjusting the archive's offsets.
  ASSERT_TRUE(Sh("head -c 70000 /dev/urandom | tr -d 'PK' > stub.bin && cat stub.bin several.zip > sfx.exe"));
  ExpectPayloadExtracted("sfx.exe");
}

TEST_F(ZipTest, EndRecordIsFoundUpTo65535BytesFromTheEndAndNoFurther) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  // Comments of 1006 to 1008 bytes put the signature across the first two
  // search windows; 65513 is the longest comment a zip can carry.
  const int lengths[] = {0, 1005, 1006, 1007, 1008, 1009, 2030, 65513, 65514};
  std::string list;
  for (int length : lengths) list += std::to_string(length) + ",";
  ASSERT_TRUE(Py("for n in [" + list + "]:\n"
                 "  z = zipfile.ZipFile('comment%d.zip' % n, 'w', zipfile.ZIP_DEFLATED)\n"
                 "  z.write('payload.txt')\n"
                 "  z.comment = b'c' * n\n"
                 "  z.close()"));
  for (int length : lengths) {
    std::string name = "comment" + std::to_string(length) + ".zip";
    if (length <= 65513) {
      ExpectPayloadExtracted(name);
    } else {
      std::string out;
      EXPECT_EQ(Extract(name, out), 1) << "comment " << length;
      EXPECT_EQ(out, "");
    }
  }
}

TEST_F(ZipTest, EmptyTruncatedAndGarbageArchivesAnswerOne) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  ASSERT_TRUE(Py("zipfile.ZipFile('empty.zip', 'w').close()\n"
                 "zipfile.ZipFile('good.zip', 'w', zipfile.ZIP_DEFLATED).write('payload.txt')"));
  ASSERT_EQ(file::Size(dir_ + "/empty.zip"), 22);
  std::string out;
  EXPECT_EQ(Extract("empty.zip", out), 1);
  EXPECT_EQ(ExtractFirstEntry(pkg_ + "missing.zip", out), 1);

  std::string good = Read(dir_ + "/good.zip");
  for (size_t cut = 0; cut < good.size(); cut += 97) {
    Put(pkg_ + "cut.zip", good.substr(0, cut));
    EXPECT_EQ(ExtractFirstEntry(pkg_ + "cut.zip", out), 1) << "cut at " << cut;
  }
  std::mt19937 rng(3);
  for (size_t size : {1u, 4u, 21u, 22u, 23u, 5000u, 70000u}) {
    std::string junk(size, '\0');
    for (char& c : junk) c = static_cast<char>(rng());
    Put(pkg_ + "junk.zip", junk);
    EXPECT_EQ(ExtractFirstEntry(pkg_ + "junk.zip", out), 1) << size;
    // The same junk behind a valid-looking end record with wild offsets.
    junk += std::string("PK\x05\x06\0\0\0\0\x01\0\x01\0\xff\xff\0\0\x10\0\0\0\0\0", 22);
    Put(pkg_ + "junk.zip", junk);
    EXPECT_EQ(ExtractFirstEntry(pkg_ + "junk.zip", out), 1) << size;
  }
  // Random damage anywhere: any answer, but no crash, and a 0 only with the
  // payload intact.
  for (int round = 0; round < 400; ++round) {
    std::string damaged = good;
    for (int i = 0; i < 3; ++i) damaged[rng() % damaged.size()] = static_cast<char>(rng());
    Put(pkg_ + "damaged.zip", damaged);
    if (ExtractFirstEntry(pkg_ + "damaged.zip", out) == 0) {
      EXPECT_TRUE(Read(out) == payload_);
    }
  }
}

TEST_F(ZipTest, WrongCrcLeavesTheWholeFileAndAnswersOne) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  ASSERT_TRUE(Py("zipfile.ZipFile('stored.zip', 'w').write('payload.txt')\n"
                 "zipfile.ZipFile('deflated.zip', 'w', zipfile.ZIP_DEFLATED).write('payload.txt')\n"
                 "d = bytearray(open('stored.zip', 'rb').read())\n"
                 "i = d.index(b'of the payload', 50000)\n"
                 "d[i] = ord('O')\n"
                 "open('badcrc.zip', 'wb').write(d)\n"
                 // Patch the CRC fields of the deflated archive instead of its data.
                 "d = bytearray(open('deflated.zip', 'rb').read())\n"
                 "for p in at_both(d, 14, 16):\n"
                 "  d[p] ^= 0xFF\n"
                 "open('badcrc2.zip', 'wb').write(d)"));
  std::string out;
  EXPECT_EQ(Extract("badcrc.zip", out), 1);
  EXPECT_EQ(out, pkg_ + "payload.txt");
  std::string written = Read(out);
  ASSERT_EQ(written.size(), payload_.size());
  EXPECT_NE(written.find("Of the payload"), std::string::npos);
  file::Remove(out);
  EXPECT_EQ(Extract("badcrc2.zip", out), 1);
  EXPECT_TRUE(Read(out) == payload_);
}

TEST_F(ZipTest, EntryShorterThanItsSizeOrLargerThanTheLimitIsRefused) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  // The stored data end 10 bytes before the size both headers give.
  ASSERT_TRUE(Py("zipfile.ZipFile('stored.zip', 'w').write('payload.txt')\n"
                 "d = bytearray(open('stored.zip', 'rb').read())\n"
                 "for p in at_both(d, 22, 24):\n"
                 "  struct.pack_into('<I', d, p, struct.unpack_from('<I', d, p)[0] + 10)\n"
                 "open('short.zip', 'wb').write(d)"));
  std::string out;
  EXPECT_EQ(Extract("short.zip", out), 1);
  EXPECT_EQ(file::Size(out), static_cast<int64_t>(payload_.size()));
  file::Remove(out);
  ASSERT_TRUE(Sh("cp stored.zip pkg/"));
  EXPECT_EQ(ExtractFirstEntry(pkg_ + "stored.zip", out, "", payload_.size() - 1), 1);
  EXPECT_FALSE(file::Exists(pkg_ + "payload.txt"));
  EXPECT_EQ(ExtractFirstEntry(pkg_ + "stored.zip", out, "", payload_.size()), 0);
}

TEST_F(ZipTest, EntryNamesThatLeaveTheFolderAreRefused) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  ASSERT_TRUE(file::CreateDir(pkg_ + "sub"));
  const char* refused[] = {"../evil.txt", "/tmp/brova_zip_abs_evil.txt", "C:/evil.txt", "sub/../../evil.txt",
                           "..\\\\evil.txt", "sub/", "", "aux.txt", "sub/NUL"};
  std::string script;
  for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i)
    script += "z = zipfile.ZipFile('refused" + std::to_string(i) + ".zip', 'w')\n"
              "z.writestr(zipfile.ZipInfo('" + refused[i] + "'), b'evil')\nz.close()\n";
  ASSERT_TRUE(Py(script));
  for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
    std::string out;
    EXPECT_EQ(Extract("refused" + std::to_string(i) + ".zip", out), 1) << refused[i];
  }
  EXPECT_FALSE(file::Exists(dir_ + "/evil.txt"));
  EXPECT_FALSE(file::Exists("/tmp/brova_zip_abs_evil.txt"));
  EXPECT_FALSE(file::Exists(pkg_ + "evil.txt"));

  // Folders inside the package's folder: used when they exist, not created.
  ASSERT_TRUE(Py("z = zipfile.ZipFile('insub.zip', 'w'); z.writestr('sub/in.txt', b'in'); z.close()\n"
                 "z = zipfile.ZipFile('nosub.zip', 'w'); z.writestr('nosub/in.txt', b'in'); z.close()"));
  std::string out;
  EXPECT_EQ(Extract("insub.zip", out), 0);
  EXPECT_EQ(Read(pkg_ + "sub/in.txt"), "in");
  EXPECT_EQ(Extract("nosub.zip", out), 1);
  EXPECT_FALSE(file::Exists(pkg_ + "nosub"));
}

TEST_F(ZipTest, ReadOnlyEntryBecomesAPlainFileWithTheEntryTime) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  ASSERT_TRUE(Py("z = zipfile.ZipFile('ro.zip', 'w', zipfile.ZIP_DEFLATED)\n"
                 "i = zipfile.ZipInfo('ro.txt', date_time=(2001, 2, 3, 4, 5, 6))\n"
                 "i.external_attr = (0o100444 << 16) | 1\n"
                 "z.writestr(i, b'read only')\nz.close()"));
  std::string out;
  ASSERT_EQ(Extract("ro.zip", out), 0);
  struct stat st;
  ASSERT_EQ(stat(out.c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IWUSR);
  EXPECT_EQ(st.st_mtime, ZipTestEntryTime());
}

TEST_F(ZipTest, NamesAreGbkUnlessMarkedUtf8AndAnOutputFolderCanBeGiven) {
  if (!Have("python3")) GTEST_SKIP() << "python3 missing";
  // Python marks non-ASCII names as UTF-8; the GBK one is patched in unmarked.
  ASSERT_TRUE(Py("z = zipfile.ZipFile('utf8.zip', 'w'); z.writestr('\\u540d\\u5b57.txt', b'u'); z.close()\n"
                 "z = zipfile.ZipFile('gbk.zip', 'w'); z.writestr('XXXX.txt', b'g'); z.close()\n"
                 "d = open('gbk.zip', 'rb').read().replace(b'XXXX.txt', '\\u4e2d\\u6587.txt'.encode('gbk'))\n"
                 "open('gbk.zip', 'wb').write(d)"));
  std::string out;
  EXPECT_EQ(Extract("utf8.zip", out), 0);
  EXPECT_EQ(Read(pkg_ + "名字.txt"), "u");
  ASSERT_TRUE(file::CreateDir(dir_ + "/elsewhere"));
  EXPECT_EQ(ExtractFirstEntry(dir_ + "/gbk.zip", out, dir_ + "/elsewhere"), 0);
  EXPECT_EQ(out, dir_ + "/elsewhere\\中文.txt");
  EXPECT_EQ(Read(dir_ + "/elsewhere/中文.txt"), "g");
}

TEST(ZipReader, ProblemsAreThrownWithTheirCauses) {
  EXPECT_EQ(CZipException::CauseOf(1), CZipException::kStreamEnd);
  EXPECT_EQ(CZipException::CauseOf(-3), CZipException::kDataError);
  EXPECT_EQ(CZipException::CauseOf(-6), CZipException::kVersionError);
  EXPECT_EQ(CZipException::CauseOf(-103), CZipException::kBadArchive);
  EXPECT_EQ(CZipException::CauseOf(-105), CZipException::kCrcMismatch);
  EXPECT_EQ(CZipException::CauseOf(-104), CZipException::kGeneric);

  CZipReader zip;
  EXPECT_THROW(zip.Open("/tmp/brova_no_such_archive.zip"), CFileException);
  try {
    char buffer[4];
    zip.Read(buffer, sizeof buffer);
    ADD_FAILURE() << "read without an entry";
  } catch (const CZipException& e) {
    EXPECT_EQ(e.cause, CZipException::kBadParameter);
  }
  try {
    zip.Open("/proc/self/cmdline");  // opens, but is no archive
    ADD_FAILURE() << "not an archive";
  } catch (const CZipException& e) {
    EXPECT_EQ(e.cause, CZipException::kBadArchive);
    EXPECT_EQ(e.path, "/proc/self/cmdline");
  }
}

}  // namespace
