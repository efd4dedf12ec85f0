// Reading key/value files: the line syntax, line ends, long lines and input
// that is not a key/value file at all.

#include "SettingsTestSupport.h"

#include "settings/KeyValueStore.h"
#include "settings/OptionsFile.h"

namespace {

Pairs Parse(const std::string& text)
{
    KeyValueList list;
    ParseLines(text, list);
    return PairsOf(list);
}

} // namespace

TEST(OptionsReader, SeparatorsAndValueBoundaries)
{
    EXPECT_EQ(Parse("Language\t=\t0\r\n"), (Pairs{{"Language", "0"}}));
    EXPECT_EQ(Parse("Language = 0\r\n"), (Pairs{{"Language", "0"}}));
    EXPECT_EQ(Parse("  \tLanguage \t = \t\t0\r\n"), (Pairs{{"Language", "0"}}));
    // Blanks inside and after the value belong to it.
    EXPECT_EQ(Parse("MemberLogin = Jane Doe\r\n"), (Pairs{{"MemberLogin", "Jane Doe"}}));
    EXPECT_EQ(Parse("ShowLocalTime = yes \r\n"), (Pairs{{"ShowLocalTime", "yes "}}));
    // Only one character after "=" is eaten: a second blank starts the value.
    EXPECT_EQ(Parse("Key =  x\r\n"), (Pairs{{"Key", " x"}}));
    // A tab or "#" ends the value; what follows is a comment.
    EXPECT_EQ(Parse("ShowLocalTime\t=\tyes\t# shown top right\r\n"), (Pairs{{"ShowLocalTime", "yes"}}));
    EXPECT_EQ(Parse("ShowLocalTime = yes# note\r\n"), (Pairs{{"ShowLocalTime", "yes"}}));
    // Tabs and "#" before the value are skipped.
    EXPECT_EQ(Parse("Key =\t#\t#x\r\n"), (Pairs{{"Key", "x"}}));
}

TEST(OptionsReader, LinesThatAddNothing)
{
    const char* ignored[] = {
        "# Language = 0",       "[Application]",      "]Odd = 1",        "Language",
        "Language 0",           "Language=0",         "Language =0",     "Language= 0",
        "Language == 0",        "Language =",         "Language = ",     "Language \t \t",
        "   ",                  "\t",                "CacheDays\t=\t\r\n"};
    for (const char* line : ignored) {
        EXPECT_EQ(Parse(std::string(line) + "\r\n"), Pairs{}) << '"' << line << '"';
    }
}

TEST(OptionsReader, DuplicatesAndSectionsKeepFileOrder)
{
    const std::string text =
        "# options\r\n"
        "[Application]\r\n"
        "Language\t=\t0\r\n"
        "[Settings]\r\n"
        "RefreshRate\t=\t2\r\n"
        "Language\t=\t1\r\n";
    EXPECT_EQ(Parse(text), (Pairs{{"Language", "0"}, {"RefreshRate", "2"}, {"Language", "1"}}));
}

TEST(OptionsReader, LineEndsOfAnyKindReadTheSame)
{
    const Pairs expected{{"Language", "0"}, {"ImagePath", "images"}, {"CacheDays", "14"}};
    const std::string lines[] = {"Language = 0", "ImagePath = images", "CacheDays = 14"};
    for (const std::string end : {"\r\n", "\n", "\r", "\n\r", "\r\n\r\n\r\n"}) {
        std::string text;
        for (const auto& line : lines) {
            text += line + end;
        }
        EXPECT_EQ(Parse(text), expected) << "line end of " << end.size() << " bytes";
        // The last line needs no line end.
        EXPECT_EQ(Parse(text.substr(0, text.size() - end.size())), expected);
    }
}

TEST(OptionsReader, LongLinesAreReadWholeWithoutFalseEntries)
{
    // Text that would look like an entry if the line were cut into pieces.
    std::string filler;
    while (filler.size() < 5000) {
        filler += "x Fake = 1 ";
    }
    const std::string text = "Note = " + filler + "\r\n"
                           + "# " + filler + "\r\n"
                           + "After = ok\r\n";
    EXPECT_EQ(Parse(text), (Pairs{{"Note", filler}, {"After", "ok"}}));
}

TEST(OptionsReader, NulEndsTheUsableLine)
{
    using namespace std::string_literals;
    EXPECT_EQ(Parse("Key = ab\0cd\r\nNext = 1\r\n"s), (Pairs{{"Key", "ab"}, {"Next", "1"}}));
    EXPECT_EQ(Parse("\0Key = 1\r\nNext = 2"s), (Pairs{{"Next", "2"}}));
}

TEST(OptionsReaderFile, MissingFileOrFolderReturnsOneAndEmptiesTheStore)
{
    TempFolder folder;
    KeyValueStore store;
    store.SetString("Stale", "1");
    EXPECT_EQ(store.Load(folder.File("missing.ini")), 1);
    EXPECT_EQ(store.list.EntryCount(), 0u);

    store.SetString("Stale", "1");
    EXPECT_EQ(store.Load(folder.path.string()), 1);
    EXPECT_EQ(store.list.EntryCount(), 0u);
}

TEST(OptionsReaderFile, LoadReplacesTheStoreWithTheFile)
{
    TempFolder folder;
    const std::string path = folder.Write("Zembria.ini", "Language\t=\t0\r\nCacheDays\t=\t\r\nMemberLogin = Jane Doe");
    KeyValueStore store;
    store.SetString("Stale", "1");
    ASSERT_EQ(store.Load(path), 0);
    EXPECT_EQ(PairsOf(store.list), (Pairs{{"Language", "0"}, {"MemberLogin", "Jane Doe"}}));
    EXPECT_EQ(store.GetInt("CacheDays", 14), 14);

    ASSERT_EQ(store.Load(folder.Write("empty.ini", "")), 0);
    EXPECT_EQ(store.list.EntryCount(), 0u);
}

TEST(OptionsReaderFile, LargeFilesKeepEveryLineAcrossReadBoundaries)
{
    TempFolder folder;
    // Lines of varying length, so line ends fall everywhere across the big
    // reads, and one CR LF pair split exactly at a power of two.
    std::string text;
    int count = 0;
    while (text.size() < (3u << 20)) {
        text += "Key" + std::to_string(count) + " = value " + std::string(count % 97, 'v') + "\r\n";
        ++count;
    }
    for (size_t boundary : {size_t{1} << 20, size_t{1} << 16}) {
        std::string padded = "# " + std::string(boundary - 3, '-') + "\r\n" + text;
        ASSERT_EQ(padded[boundary - 1], '\r');
        KeyValueStore store;
        ASSERT_EQ(store.Load(folder.Write("large.ini", padded)), 0);
        const Pairs pairs = PairsOf(store.list);
        ASSERT_EQ(pairs.size(), static_cast<size_t>(count));
        for (int i = 0; i < count; i += 997) {
            EXPECT_EQ(pairs[i].first, "Key" + std::to_string(i));
            EXPECT_EQ(pairs[i].second, "value " + std::string(i % 97, 'v'));
        }
    }

    // One line of several megabytes is still a single entry.
    const std::string huge(5u << 20, 'h');
    KeyValueStore store;
    ASSERT_EQ(store.Load(folder.Write("huge.ini", "Huge = " + huge + "\nSmall = 1")), 0);
    EXPECT_EQ(PairsOf(store.list), (Pairs{{"Huge", huge}, {"Small", "1"}}));
}
