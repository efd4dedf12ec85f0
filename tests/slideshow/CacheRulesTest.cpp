// Which cached pictures stay: ages in whole days and the *.jpg match.

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

} // namespace
