#include "core/app/version_code.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace tessaray {
namespace {

TEST(VersionCode, EachNumberNeedsACommaAfterIt) {
    EXPECT_EQ(MakeVersionCode("1, 1, 2, 0"), "010102");
    EXPECT_EQ(MakeVersionCode("2, 10, 3, 1"), "021003");
    EXPECT_EQ(MakeVersionCode("1, 1, 2"), "010100");
    EXPECT_EQ(MakeVersionCode("10"), "000000");
    EXPECT_EQ(MakeVersionCode("1,2,3,4"), "010203");
}

TEST(VersionCode, MissingTextAndEmptyFieldsGiveZeros) {
    // No version information at all, and version information without the FileVersion value.
    EXPECT_EQ(MakeVersionCode(nullptr), "");
    EXPECT_EQ(MakeVersionCode(""), "000000");
    // A comma in first place stops the parsing: this number and the following ones stay 0.
    EXPECT_EQ(MakeVersionCode(", 1, 2, 0"), "000000");
    EXPECT_EQ(MakeVersionCode("3,, 2, 0"), "030000");
    EXPECT_EQ(MakeVersionCode("3, , 2, 0"), "030002"); // a blank before the comma reads as 0
    // Numbers are read like atoi: leading blanks skipped, trailing junk ignored.
    EXPECT_EQ(MakeVersionCode("  4x, 5 beta, 6, 0"), "040506");
}

TEST(VersionCode, HugeNumbersDoNotOverflow) {
    EXPECT_EQ(MakeVersionCode("99999999999999999999, 1, 1, 0").substr(0, 10), "2147483647");
}

TEST(VersionCode, BuildVersionGivesSixDigits) {
    const std::string code = BuiltVersionCode();
    ASSERT_EQ(code.size(), 6u);
    EXPECT_EQ(code.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_NE(code, "000000");
    // "--version" shows the same version dotted: "x 1.1.2" for the code 010102.
    std::string commaText = VersionLine("x").substr(2) + ".0";
    std::replace(commaText.begin(), commaText.end(), '.', ',');
    EXPECT_EQ(MakeVersionCode(commaText.c_str()), code);
}

} // namespace
} // namespace tessaray
