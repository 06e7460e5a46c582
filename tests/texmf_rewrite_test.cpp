// The TEXEDIT rewrite of texmf.cnf, as bytes in and bytes out.
#include <gtest/gtest.h>

#include <string>

#include "settings/writers.h"
#include "tests/support/case_name.h"

namespace nw {
namespace {

constexpr char kNew[] = "TEXEDIT=\"C:\\Tools\\ed.exe\" /e%d \"%s\"";

TEST(TexeditLine, QuotesEditorAndFileName) {
  EXPECT_EQ(TexeditLine("C:\\Tools\\ed.exe"), kNew);
  EXPECT_EQ(TexeditLine("C:\\Program Files\\x\\nibwell.exe"),
            "TEXEDIT=\"C:\\Program Files\\x\\nibwell.exe\" /e%d \"%s\"");
}

struct RewriteCase {
  const char* name;
  std::string in;
  std::string out;
};

class RewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, Bytes) {
  EXPECT_EQ(RewriteTexmf(GetParam().in, TexeditLine("C:\\Tools\\ed.exe")), GetParam().out);
}

const std::string N = kNew;

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteTest,
    testing::Values(
        RewriteCase{"SingleAssignment", "TEXEDIT = vi +%d %s\r\n", N + "\r\n"},
        RewriteCase{"CaseAndBlanks", "  texedit=foo\r\nTeXedit\t=\tbar\r\nX=1\r\n",
                    N + "\r\n" + N + "\r\nX=1\r\n"},
        RewriteCase{"NothingAfterEquals", "TEXEDIT=\r\n", N + "\r\n"},
        RewriteCase{"TrailingCommentGoes", "TEXEDIT = vi %s % old\r\n", N + "\r\n"},
        RewriteCase{"OtherNamesStay", "TEXEDITOR = x\r\nTEXEDIT.platex = x\r\n",
                    "TEXEDITOR = x\r\nTEXEDIT.platex = x\r\n" + N + "\r\n"},
        RewriteCase{"CommentsStay", "% TEXEDIT = foo\r\n   % TEXEDIT = foo\r\n",
                    "% TEXEDIT = foo\r\n   % TEXEDIT = foo\r\n" + N + "\r\n"},
        RewriteCase{"EveryAssignment", "TEXEDIT=a\r\nB=1\r\nTEXEDIT=b\r\n",
                    N + "\r\nB=1\r\n" + N + "\r\n"},
        RewriteCase{"NoAssignmentAppends", "A=1\r\nB=2\r\n", "A=1\r\nB=2\r\n" + N + "\r\n"},
        RewriteCase{"LastLineWithoutBreak", "A=1\r\nTEXEDIT=x", "A=1\r\n" + N + "\r\n"},
        RewriteCase{"LfOnly", "A=1\nB=2\n", "A=1\r\nB=2\r\n" + N + "\r\n"},
        RewriteCase{"CrOnlyAndMixed", "A=1\rB=2\r\n\nC=3",
                    "A=1\r\nB=2\r\n\r\nC=3\r\n" + N + "\r\n"},
        RewriteCase{"BlankLinesKept", "\r\n\r\nA=1\r\n\r\n", "\r\n\r\nA=1\r\n\r\n" + N + "\r\n"},
        RewriteCase{"Empty", "", N + "\r\n"},
        // Bytes pass through untouched: Shift_JIS with a 0x5C second byte, NUL, 8-bit.
        RewriteCase{"BytesUntouched", std::string("% \x95\x5c\x8e\xa6\r\nA=\0\xff\r\n", 14),
                    std::string("% \x95\x5c\x8e\xa6\r\nA=\0\xff\r\n", 14) + N + "\r\n"},
        RewriteCase{"BlankPrefixOfControlCodes", "\x01\x1f TEXEDIT\x0b=\x7fvi\r\n", N + "\r\n"}),
    nw::test::CaseName());

TEST(RewriteTexmf, SecondRunChangesNothing) {
  const std::string once = RewriteTexmf("A=1\nTEXEDIT = vi\n", kNew);
  EXPECT_EQ(RewriteTexmf(once, kNew), once);
}

}  // namespace
}  // namespace nw
