// The editor's INI file: its name, and the entry written into it.
#include <gtest/gtest.h>

#include <string>

#include "settings/writers.h"
#include "tests/support/case_name.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

using test::PrintTo;

// Lead bytes of code page 932.
bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc); }
bool NoLead(unsigned char) { return false; }

struct IniNameCase {
  const char* name;
  const char* editor;
  const char* ini;
};

class IniNameTest : public testing::TestWithParam<IniNameCase> {};

TEST_P(IniNameTest, ReplacesTheFileNamesExtension) {
  EXPECT_EQ(IniPathFor(GetParam().editor, Cp932Lead), GetParam().ini);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniNameTest,
    testing::Values(
        IniNameCase{"DefaultEditor", "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.exe",
                    "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.ini"},
        IniNameCase{"NoExtension", "C:\\bin\\nibwell", "C:\\bin\\nibwell.ini"},
        IniNameCase{"DotInFolder", "C:\\tools.d\\nibwell.exe", "C:\\tools.d\\nibwell.ini"},
        IniNameCase{"DotInFolderNoExtension", "C:\\tools.d\\nibwell", "C:\\tools.d\\nibwell.ini"},
        IniNameCase{"TwoDots", "C:\\a\\nib.tar.exe", "C:\\a\\nib.tar.ini"},
        IniNameCase{"NoFolder", "nibwell.exe", "nibwell.ini"},
        IniNameCase{"DriveRelative", "C:nib", "C:nib.ini"}, IniNameCase{"Empty", "", ".ini"},
        // "表" is 0x95 0x5C and "ソ" 0x83 0x5C: their second byte is no separator.
        IniNameCase{"TrailByteInExtension", "C:\\x\\nib.\x95\x5c", "C:\\x\\nib.ini"},
        IniNameCase{"TrailBytesInFolderWithDot", "C:\\\x83\x5c\x83\x74\x83\x67.d\\nib",
                    "C:\\\x83\x5c\x83\x74\x83\x67.d\\nib.ini"},
        IniNameCase{"TrailBytesInFolder", "C:\\\x95\x5c\x8e\xa6\\nibwell.exe",
                    "C:\\\x95\x5c\x8e\xa6\\nibwell.ini"}),
    CaseName());

TEST(IniPathFor, WithoutLeadBytesEveryBackslashSeparates) {
  EXPECT_EQ(IniPathFor("C:\\x\\nib.\x95\x5c", NoLead), "C:\\x\\nib.\x95\x5c.ini");
}

constexpr char kEntry[] =
    "[CommandLineTeX]\r\nCLTNum=1\r\nCLT0=C:\\tex\\platex.exe\r\nCLTOpt=-src\r\nUse=1\r\n";

struct IniFileCase {
  const char* name;
  std::string before;  // nullopt-like: empty means no file
  std::string after;
};

class WriteNwIniTest : public testing::TestWithParam<IniFileCase> {};

TEST_P(WriteNwIniTest, Bytes) {
  TestEnv env;
  if (!GetParam().before.empty()) env.Write("nibwell.ini", GetParam().before);
  WriteNwIni(env.platform(), env.Path("nibwell.exe"), "C:\\tex\\platex.exe");
  EXPECT_EQ(env.Read("nibwell.ini"), GetParam().after);
  // Writing again gives the same file.
  WriteNwIni(env.platform(), env.Path("nibwell.exe"), "C:\\tex\\platex.exe");
  EXPECT_EQ(env.Read("nibwell.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteNwIniTest,
    testing::Values(
        IniFileCase{"NewFile", "", kEntry},
        IniFileCase{"OtherSectionsKept", "[Editor]\r\nFont=MS Gothic\r\n",
                    std::string("[Editor]\r\nFont=MS Gothic\r\n") + kEntry},
        IniFileCase{"OtherKeysOfTheSectionKept",
                    "[CommandLineTeX]\r\nCLTNum=3\r\nCLT0=old\r\nCLT1=uplatex\r\nCLT2=lualatex\r\n"
                    "[Other]\r\nA=1\r\n",
                    "[CommandLineTeX]\r\nCLTNum=1\r\nCLT0=C:\\tex\\platex.exe\r\nCLT1=uplatex\r\n"
                    "CLT2=lualatex\r\nCLTOpt=-src\r\nUse=1\r\n[Other]\r\nA=1\r\n"},
        IniFileCase{"KeysMatchedWithoutCase",
                    "[commandlinetex]\r\ncltnum=2\r\nuse=0\r\nclt0=x\r\ncltopt=\r\n",
                    "[commandlinetex]\r\ncltnum=1\r\nuse=1\r\nclt0=C:\\tex\\platex.exe\r\n"
                    "cltopt=-src\r\n"}));

TEST(WriteNwIni, LatexPathWithSpacesIsWrittenAsItIs) {
  TestEnv env;
  WriteNwIni(env.platform(), env.Path("nibwell.exe"), "C:\\Program Files\\tex\\platex.exe");
  EXPECT_EQ(env.Read("nibwell.ini"),
            "[CommandLineTeX]\r\nCLTNum=1\r\nCLT0=C:\\Program Files\\tex\\platex.exe\r\n"
            "CLTOpt=-src\r\nUse=1\r\n");
}

TEST(WriteNwIni, MissingFolderRaises) {
  TestEnv env;
  EXPECT_THROW(WriteNwIni(env.platform(), env.Path("gone/nibwell.exe"), "platex"), PlatformError);
  EXPECT_TRUE(env.List().empty());
}

}  // namespace
}  // namespace nw::test
