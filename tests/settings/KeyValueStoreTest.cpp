// The key/value list and store: lookups, duplicates, walking the pairs and
// reading numbers.

#include "SettingsTestSupport.h"

#include "settings/KeyValueStore.h"
#include "settings/RefreshRate.h"

#include <climits>

TEST(KeyValueList, EmptyListReadsDefaultsAndHasNoPairs)
{
    KeyValueList list;
    EXPECT_EQ(list.GetString("Language", "1"), "1");
    EXPECT_EQ(list.Find("Language"), KeyValueList::None);
    EXPECT_EQ(list.PairLimit(), -1);
    long index = 0;
    std::string key = "untouched", value = "untouched";
    EXPECT_EQ(list.NextPair(index, key, value), 1);
    EXPECT_EQ(key, "untouched");
    EXPECT_EQ(value, "untouched");
}

TEST(KeyValueList, EmptyValueReadsAsDefaultButIsStillAPair)
{
    KeyValueList list;
    list.AddPair("CacheDays", "30");
    EXPECT_EQ(list.SetString("CacheDays", "", false), 0);
    EXPECT_EQ(list.GetString("CacheDays", "14"), "14");
    EXPECT_EQ(PairsOf(list), (Pairs{{"CacheDays", ""}}));
}

TEST(KeyValueList, FirstOfDuplicateKeysWinsAndWalkSeesBoth)
{
    KeyValueList list;
    list.AddPair("Language", "0");
    const auto second = list.AddPair("Language", "1");
    EXPECT_EQ(second, 2);
    EXPECT_EQ(list.Find("Language"), 0);
    EXPECT_EQ(list.GetString("Language", "x"), "0");
    EXPECT_EQ(list.SetString("Language", "5", false), 0);
    EXPECT_EQ(PairsOf(list), (Pairs{{"Language", "5"}, {"Language", "1"}}));
}

TEST(KeyValueList, ValuesAreNeverTakenForKeys)
{
    KeyValueList list;
    list.AddPair("A", "B");
    list.AddPair("B", "D");
    EXPECT_EQ(list.Find("B"), 2);
    EXPECT_EQ(list.GetString("B", "none"), "D");

    KeyValueList onlyValue;
    onlyValue.AddPair("A", "B");
    EXPECT_EQ(onlyValue.GetString("B", "none"), "none");
    EXPECT_EQ(onlyValue.SetString("B", "x", false), 1);
    EXPECT_EQ(PairsOf(onlyValue), (Pairs{{"A", "B"}}));
}

TEST(KeyValueList, KeysMatchWholeAndCaseSensitive)
{
    KeyValueList list;
    list.AddPair("ProxyHost", "proxy.example");
    EXPECT_EQ(list.GetString("proxyhost", "n.a."), "n.a.");
    EXPECT_EQ(list.GetString("Proxy", "n.a."), "n.a.");
    EXPECT_EQ(list.GetString("ProxyHostX", "n.a."), "n.a.");
    EXPECT_EQ(list.GetString("ProxyHost", "n.a."), "proxy.example");
}

TEST(KeyValueList, SetStringAddsOnlyWhenAsked)
{
    KeyValueList list;
    EXPECT_EQ(list.SetString("MemberLogin", "jane", false), 1);
    EXPECT_EQ(list.EntryCount(), 0u);
    EXPECT_EQ(list.SetString("MemberLogin", "jane", true), 0);
    EXPECT_EQ(list.SetInt("RefreshRate", -5, true), 0);
    EXPECT_EQ(list.SetInt("Big", INT_MIN, true), 0);
    EXPECT_EQ(PairsOf(list), (Pairs{{"MemberLogin", "jane"}, {"RefreshRate", "-5"}, {"Big", "-2147483648"}}));
    list.Clear();
    EXPECT_EQ(list.EntryCount(), 0u);
    EXPECT_EQ(list.PairLimit(), -1);
}

TEST(KeyValueList, NextPairWalksInOrderAndEndsAtMinusOne)
{
    KeyValueList list;
    list.AddPair("a", "1");
    list.AddPair("b", "2");
    list.AddPair("c", "3");
    EXPECT_EQ(list.PairLimit(), 4);

    long index = 1;
    std::string key, value;
    ASSERT_EQ(list.NextPair(index, key, value), 0);
    EXPECT_EQ(key, "b");
    EXPECT_EQ(value, "2");
    EXPECT_EQ(index, 2);
    ASSERT_EQ(list.NextPair(index, key, value), 0);
    EXPECT_EQ(key, "c");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(list.NextPair(index, key, value), 1);

    index = 3;
    EXPECT_EQ(list.NextPair(index, key, value), 1);
    index = -7;
    EXPECT_EQ(list.NextPair(index, key, value), 1);
}

TEST(KeyValueStore, GetIntReadsLikeAtoi)
{
    KeyValueStore store;
    const struct { const char* text; int expected; } cases[] = {
        {" 42", 42}, {"\t\n-17", -17}, {"+8", 8}, {"7 days", 7}, {"12abc", 12}, {"0x10", 0},
        {"abc", 0}, {"-", 0}, {"007", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        // Out of range saturates rather than being undefined.
        {"99999999999999999999999", INT_MAX}, {"-2147483649", INT_MIN}, {"2147483648", INT_MAX}};
    for (const auto& c : cases) {
        store.SetString("n", c.text);
        EXPECT_EQ(store.GetInt("n", 99), c.expected) << "text \"" << c.text << '"';
    }
}

TEST(KeyValueStore, GetIntDefaultsForAbsentOrEmpty)
{
    KeyValueStore store;
    EXPECT_EQ(store.GetInt("RefreshRate", 3), 3);
    EXPECT_EQ(store.GetInt("RefreshRate", INT_MIN), INT_MIN);
    store.SetString("RefreshRate", "");
    EXPECT_EQ(store.GetInt("RefreshRate", -1), -1);
    store.SetInt("RefreshRate", 9);
    EXPECT_EQ(store.GetString("RefreshRate", ""), "9");
    EXPECT_EQ(store.GetInt("RefreshRate", 3), 9);
}

TEST(RefreshRate, IndexSecondsAndTextsBothWays)
{
    const int seconds[] = {10, 15, 30, 50, 60, 120, 180, 300, 600, 1800};
    for (int index = 0; index < RefreshIntervalCount; ++index) {
        EXPECT_EQ(RefreshSecondsOfIndex(index), seconds[index]);
        EXPECT_EQ(RefreshIndexText(seconds[index]), std::to_string(index));
    }
    for (int outside : {-1, 10, INT_MIN, INT_MAX}) {
        EXPECT_EQ(RefreshSecondsOfIndex(outside), 50);
        EXPECT_STREQ(RefreshIntervalText(outside), "");
    }
    for (int odd : {0, 11, 45, -10, 3600}) {
        EXPECT_EQ(RefreshIndexText(odd), "3");
    }
    EXPECT_STREQ(RefreshIntervalText(0), "10 secs");
    EXPECT_STREQ(RefreshIntervalText(4), " 1 min");
    EXPECT_STREQ(RefreshIntervalText(9), "30 min");
}
