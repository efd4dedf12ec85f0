// The slide-show step's decisions: whether the service still shows the
// picture on screen, where a new one comes from, and the offline rotation.

#include "slideshow/SlideRules.h"
#include "tests/settings/SettingsTestSupport.h"

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

TEST(ChooseServicePicture, CacheOnlyWhenAllowedListedPlainAndThere)
{
    TempFolder cache;
    cache.Write("b.jpg", "jpeg");
    struct Case {
        const char* name;
        const char* allowCache;
        bool listed;
        PictureSource expected;
    };
    const Case cases[] = {
        {"a.jpg", "yes", true, PictureSource::Shown},     // on screen already
        {"", "yes", true, PictureSource::Shown},          // names none
        {"b.jpg", "yes", true, PictureSource::Cache},
        {"b.jpg", "Yes", true, PictureSource::Download},  // exactly "yes"
        {"b.jpg", "yes", false, PictureSource::Download}, // the cache lists nothing
        {"c.jpg", "yes", true, PictureSource::Download},  // not in the folder
        {"../b.jpg", "yes", true, PictureSource::Download},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyValueList info;
        info.AddPair("ImageFileName", c.name);
        info.AddPair("ImageFileCache", c.allowCache);
        const PictureChoice choice = ChooseServicePicture("D:\\pics\\a.jpg", info, cache.path.string(), c.listed);
        EXPECT_EQ(choice.source, c.expected);
        if (c.expected == PictureSource::Cache)
            EXPECT_EQ(choice.cachePath, cache.File("b.jpg"));
    }
}

TEST(NextInRotation, CyclesAndStartsAgainAfterTheLast)
{
    EXPECT_EQ(NextInRotation(0, -1).index, -1);
    EXPECT_EQ(NextInRotation(0, 3).index, -1);
    std::vector<long> shown;
    long position = 1; // where the start-up left it
    for (int i = 0; i < 5; ++i) {
        const RotationStep step = NextInRotation(3, position);
        shown.push_back(step.index);
        position = step.next;
    }
    EXPECT_EQ(shown, (std::vector<long>{1, 2, 0, 1, 2}));
    EXPECT_EQ(NextInRotation(1, -1).index, 0) << "one picture reloads at every step";
    EXPECT_EQ(NextInRotation(1, 0).next, -1);
    EXPECT_EQ(NextInRotation(2, 7).index, 0) << "a position past the end starts again";
}

} // namespace
