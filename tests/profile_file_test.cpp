// The INI editor for systems without a profile API: Windows' rules, and
// every byte it does not have to change kept.
#include <gtest/gtest.h>

#include <string>

#include "platform/profile_file.h"
#include "tests/support/case_name.h"

namespace nw {
namespace {

using test::PrintTo;

struct ProfileCase {
  const char* name;
  std::string before;
  std::string after;  // after setting [S] K=v
};

class ProfileTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileTest, SetsOneKey) {
  EXPECT_EQ(SetProfileString(GetParam().before, "S", "K", "v"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileTest,
    testing::Values(
        ProfileCase{"EmptyFile", "", "[S]\r\nK=v\r\n"},
        ProfileCase{"NewSectionAtEnd", "[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n[S]\r\nK=v\r\n"},
        ProfileCase{"NewSectionAfterUnterminatedLine", "[A]\r\nx=1",
                    "[A]\r\nx=1\r\n[S]\r\nK=v\r\n"},
        ProfileCase{"ReplacedInPlace", "[S]\r\na=1\r\nK=old\r\nb=2\r\n",
                    "[S]\r\na=1\r\nK=v\r\nb=2\r\n"},
        ProfileCase{"MatchIgnoresCaseAndBlanks", "[ s ]\r\n  k  =  old  \r\n", "[ s ]\r\nk=v\r\n"},
        ProfileCase{"AddedAfterLastLineOfSection", "[S]\r\na=1\r\n\r\n[T]\r\nK=t\r\n",
                    "[S]\r\na=1\r\nK=v\r\n\r\n[T]\r\nK=t\r\n"},
        ProfileCase{"AddedToUnterminatedLastLine", "[S]\r\na=1", "[S]\r\na=1\r\nK=v\r\n"},
        ProfileCase{"LfFileKeepsItsLines", "; note\n[S]\nK=old\n\n[T]\ny=2\n",
                    "; note\n[S]\nK=v\n\n[T]\ny=2\n"},
        ProfileCase{"OnlyTheFirstSectionOfTheName", "[S]\r\na=1\r\n[S]\r\nK=2\r\n",
                    "[S]\r\na=1\r\nK=v\r\n[S]\r\nK=2\r\n"},
        ProfileCase{"ShiftJisBytesKept", "[\x95\x5c]\r\nK=\x83\x5c\r\n[S]\r\n",
                    "[\x95\x5c]\r\nK=\x83\x5c\r\n[S]\r\nK=v\r\n"}),
    nw::test::CaseName());

}  // namespace
}  // namespace nw
