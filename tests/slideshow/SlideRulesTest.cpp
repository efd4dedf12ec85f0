// Whether the service still shows the picture on screen.

#include "slideshow/SlideRules.h"

#include <gtest/gtest.h>

namespace {

TEST(LastPathComponent, EitherSeparator)
{
    EXPECT_EQ(LastPathComponent("D:\\pics\\ba.jpg"), "ba.jpg");
    EXPECT_EQ(LastPathComponent("images/x.jpg"), "x.jpg");
    EXPECT_EQ(LastPathComponent("images\\\\x.jpg"), "x.jpg");
    EXPECT_EQ(LastPathComponent("a/b\\c.jpg"), "c.jpg");
    EXPECT_EQ(LastPathComponent("plain.jpg"), "plain.jpg");
    EXPECT_EQ(LastPathComponent("dir/"), "");
    EXPECT_EQ(LastPathComponent(""), "");
}

TEST(SamePicture, ComparesWholeFileNames)
{
    EXPECT_TRUE(ServiceShowsSamePicture("D:\\pics\\a.jpg", "a.jpg"));
    EXPECT_FALSE(ServiceShowsSamePicture("D:\\pics\\ba.jpg", "a.jpg")); // not a substring test
    EXPECT_FALSE(ServiceShowsSamePicture("D:\\pics\\a.jpg", "A.jpg"));
    EXPECT_FALSE(ServiceShowsSamePicture("D:\\pics\\a.jpg", "pics\\a.jpg"));
    EXPECT_FALSE(ServiceShowsSamePicture("", "a.jpg")); // nothing shown: fetch it
}

TEST(SamePicture, NoNameMeansUnchanged)
{
    EXPECT_TRUE(ServiceShowsSamePicture("", ""));
    EXPECT_TRUE(ServiceShowsSamePicture("images/a.jpg", ""));
}

} // namespace
