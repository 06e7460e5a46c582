// The TEXEDIT rewrite of texmf.cnf, as bytes in and bytes out.
#include <gtest/gtest.h>

#include <string>

#include "settings/writers.h"
#include "tests/support/case_name.h"

namespace nw {
namespace {

using test::PrintTo;

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

// Over the file's own buffer: with no spare room, with just the room that
// LF line ends need, and with plenty.
TEST_P(RewriteTest, InPlaceBytes) {
  const std::string& in = GetParam().in;
  for (const size_t room : {size_t{0}, in.size() + 32, 4 * in.size() + 4096}) {
    std::string file;
    file.reserve(in.size() + room);
    file.assign(in);
    RewriteTexmfInPlace(file, TexeditLine("C:\\Tools\\ed.exe"));
    EXPECT_EQ(file, GetParam().out) << "room " << room;
  }
}

const std::string N = kNew;

std::string Times(int n, const std::string& text) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

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
        // Each grows the file by more than a line end would.
        RewriteCase{"ManyShortAssignments", Times(9, "TEXEDIT=\n") + "A=1\n",
                    Times(9, N + "\r\n") + "A=1\r\n"},
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

// Lines as TeX reads them: kpathsea takes the "=" as optional, joins a line
// ending in "\" with the next, and drops NUL bytes. A line that TeX reads as
// setting TEXEDIT is replaced whole; a physical line TeX does not read as
// one stays, and then the new line is added where TeX will read it.
INSTANTIATE_TEST_SUITE_P(
    AsTexReads, RewriteTest,
    testing::Values(
        RewriteCase{"WithoutEquals", "TEXEDIT vi +%d %s\nA=1\n", N + "\r\nA=1\r\n"},
        RewriteCase{"WithoutEqualsNorValueStays", "TEXEDIT\nTEXEDIT %d\n",
                    "TEXEDIT\r\nTEXEDIT %d\r\n" + N + "\r\n"},
        RewriteCase{"QualifiedAfterBlankStays", "TEXEDIT .platex = x\n",
                    "TEXEDIT .platex = x\r\n" + N + "\r\n"},
        RewriteCase{"AssignmentContinued", "TEXEDIT = emacs \\\n  +%d %s\nA=1\n",
                    N + "\r\nA=1\r\n"},
        RewriteCase{"ContinuedBeforeEquals", "TEX\\\nEDIT \\\n= vi\n", N + "\r\n"},
        RewriteCase{"ContinuationOfAValueStays", "A = x,\\\nTEXEDIT=y\n",
                    "A = x,\\\r\nTEXEDIT=y\r\n" + N + "\r\n"},
        RewriteCase{"ContinuedCommentStays", "% C:\\Editor\\\r\nTEXEDIT = vi\r\n",
                    "% C:\\Editor\\\r\nTEXEDIT = vi\r\n" + N + "\r\n"},
        RewriteCase{"ShiftJisCommentEndingIn5cContinues",
                    "% \x88\xea\x97\x97\x95\x5c\r\nTEXEDIT = vi\r\n",
                    "% \x88\xea\x97\x97\x95\x5c\r\nTEXEDIT = vi\r\n" + N + "\r\n"},
        // White space after the "\" is cut from the first line only.
        RewriteCase{"BlanksAfterBackslashOfFirstLine", "A = x \\  \nTEXEDIT = y\n",
                    "A = x \\  \r\nTEXEDIT = y\r\n" + N + "\r\n"},
        RewriteCase{"BlanksAfterBackslashOfLaterLine", "A = \\\nx \\ \nTEXEDIT = y\n",
                    "A = \\\r\nx \\ \r\n" + N + "\r\n"},
        // An empty line removes one more "\" from the end of the joined line.
        RewriteCase{"EmptyLineAfterDoubleBackslash", "A = x\\\\\n\nTEXEDIT = y\n",
                    "A = x\\\\\r\n\r\nTEXEDIT = y\r\n" + N + "\r\n"},
        RewriteCase{"TwoEmptyLinesAfterDoubleBackslash", "A = x\\\\\n\n\nTEXEDIT = y\n",
                    "A = x\\\\\r\n\r\n\r\n" + N + "\r\n"},
        // Appended after a last line left open, the new line would be swallowed.
        RewriteCase{"LastLineOpen", "A=1\nB = x,\\", "A=1\r\n" + N + "\r\nB = x,\\\r\n"},
        RewriteCase{"LastLineOpenTwice", "B = c:\\\\\n", N + "\r\nB = c:\\\\\r\n"},
        RewriteCase{"LastLineOpenIsTheAssignment", "A=1\nTEXEDIT = vi \\", "A=1\r\n" + N + "\r\n"},
        RewriteCase{"NulInsideTheName", std::string("TEX\0EDIT = vi\n", 14), N + "\r\n"},
        RewriteCase{"NulAfterBackslash", std::string("A = \\\0\nTEXEDIT = y\n", 19),
                    std::string("A = \\\0\r\nTEXEDIT = y\r\n", 21) + N + "\r\n"}),
    nw::test::CaseName());

TEST(RewriteTexmf, SecondRunChangesNothing) {
  const std::string once = RewriteTexmf("A=1\nTEXEDIT = vi\n", kNew);
  EXPECT_EQ(RewriteTexmf(once, kNew), once);
}

}  // namespace
}  // namespace nw
