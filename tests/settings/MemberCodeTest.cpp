// The member code: MD5 in upper-case hex of the password exactly as typed.

#include "settings/MemberCode.h"

#include <gtest/gtest.h>

#include <set>

TEST(MemberCode, KnownDigests)
{
    EXPECT_EQ(MemberCodeOf(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(MemberCodeOf("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(MemberCodeOf("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
    EXPECT_EQ(MemberCodeOf("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57EDF4A22BE3C955AC49DA2E2107B67A");
    // Bytes as typed in the ANSI code page, including a NUL inside.
    EXPECT_EQ(MemberCodeOf(std::string("a\0b", 3)).size(), 32u);
    EXPECT_NE(MemberCodeOf(std::string("a\0b", 3)), MemberCodeOf("a"));
}

TEST(MemberCode, CaseBlanksAndStarsAllCount)
{
    const std::string variants[] = {"Secret", "secret", "SECRET", " Secret", "Secret ", "Se cret", "****", "\xe4\xf6\xfc"};
    std::set<std::string> codes;
    for (const std::string& password : variants) {
        const std::string code = MemberCodeOf(password);
        EXPECT_EQ(code.size(), 32u) << password;
        EXPECT_EQ(code.find_first_not_of("0123456789ABCDEF"), std::string::npos) << code;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), std::size(variants));
}
