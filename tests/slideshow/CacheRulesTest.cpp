// Which cached pictures stay: ages in whole days, the *.jpg match and the
// size bound.

#include "slideshow/CacheRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int64_t Now = 1'800'000'000;
constexpr int64_t Hour = 3600;
constexpr int64_t Day = 86400;

TEST(CacheAge, WholeDaysTruncateTowardZero)
{
    EXPECT_EQ(AgeInDays(Now, Now - 14 * Day + 1), 13);
    EXPECT_EQ(AgeInDays(Now, Now - 14 * Day), 14);
    EXPECT_EQ(AgeInDays(Now, Now + Day - 1), 0);   // the near future is age 0, not -1
    EXPECT_EQ(AgeInDays(Now, Now + 2 * Day), -2);
}

TEST(CacheAge, NonsenseTimesDoNotOverflow)
{
    constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
    constexpr int64_t highest = std::numeric_limits<int64_t>::max();
    EXPECT_GT(AgeInDays(highest, lowest), 0);
    EXPECT_LT(AgeInDays(lowest, highest), 0);
    EXPECT_FALSE(StaysInCache(Now, lowest, Now, 14));
}

TEST(CacheExpiry, FourteenDaysIsTheLimit)
{
    EXPECT_TRUE(StaysInCache(Now, Now - 13 * Day - 23 * Hour, Now - 13 * Day - 23 * Hour, 14));
    EXPECT_FALSE(StaysInCache(Now, Now - 14 * Day, Now - 14 * Day, 14));
    EXPECT_FALSE(StaysInCache(Now, Now - 14 * Day, Now - 14 * Day + 1, 14)); // creation alone decides
}

TEST(CacheExpiry, RewritingDoesNotExtendLife)
{
    EXPECT_FALSE(StaysInCache(Now, Now - 30 * Day, Now - Hour, 14));
}

TEST(CacheExpiry, OldWriteExpiresEvenIfCreatedRecently)
{
    // A copied-in file can carry an old write time with a fresh creation time.
    EXPECT_FALSE(StaysInCache(Now, Now - Hour, Now - 20 * Day, 14));
}

TEST(CacheExpiry, ZeroOrNegativeDaysKeepOnlyFuturePictures)
{
    for (int days : {0, -3}) {
        SCOPED_TRACE(days);
        EXPECT_FALSE(StaysInCache(Now, Now, Now, days));
        EXPECT_FALSE(StaysInCache(Now, Now + 2 * Day, Now, days)); // written now: age 0 is not below 0
    }
    EXPECT_TRUE(StaysInCache(Now, Now + 2 * Day, Now + 2 * Day, 0));
    EXPECT_FALSE(StaysInCache(Now, Now + 2 * Day, Now + 2 * Day, -3));
}

TEST(CachedPictureName, JpgInAnyCase)
{
    for (const char* name : {"a.jpg", "B.JPG", "c.JpG", "two.dots.jpg", ".jpg"}) {
        EXPECT_TRUE(IsCachedPictureName(name)) << name;
    }
    for (const char* name : {"a.png", "a.jpeg", "a.jpg.part", "ajpg", "jpg", "", "a.jp"}) {
        EXPECT_FALSE(IsCachedPictureName(name)) << name;
    }
}

TEST(CacheBound, OldestWrittenGoFirstButNeverThePictureOnScreen)
{
    const std::vector<CachedPicture> pictures = {
        {"new.jpg", Now - Hour, Now - Hour, 400},
        {"expired.jpg", Now - 20 * Day, Now - 20 * Day, 100},
        {"oldest.jpg", Now - 3 * Day, Now - 3 * Day, 300},
        {"b.jpg", Now - 2 * Day, Now - 2 * Day, 200},
        {"a.jpg", Now - 2 * Day, Now - 2 * Day, 200}, // same time: by name
    };
    struct Case {
        uint64_t limit;
        const char* shown;
        std::vector<size_t> deleted;
    };
    const Case cases[] = {
        {1100, "", {1}},                    // all that stay fit
        {700, "", {1, 2, 4}},               // a.jpg before b.jpg
        {500, "oldest.jpg", {0, 1, 3, 4}},  // on screen: passed over, however old
        {0, "expired.jpg", {0, 2, 3, 4}},   // on screen: not expired either
        {0, "", {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.limit) + " " + c.shown);
        EXPECT_EQ(PicturesToDelete(pictures, Now, 14, c.limit, c.shown), c.deleted);
    }
}

TEST(CacheBound, ExpiryIsDueSoThatNoHourPassesWithoutIt)
{
    EXPECT_FALSE(CacheExpiryDue(Now, Now - 3000, 10));
    EXPECT_TRUE(CacheExpiryDue(Now, Now - 3590, 10));
    EXPECT_TRUE(CacheExpiryDue(Now, Now - 1800, 1800)); // the next step would be an hour late
    EXPECT_TRUE(CacheExpiryDue(Now, Now + Day, 10));    // the clock went back
}

} // namespace
