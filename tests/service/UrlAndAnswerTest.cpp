// URL expansion, the request-line encoding, answer lines and their parsing.

#include "service/AnswerLines.h"
#include "service/InfoAnswer.h"
#include "service/RequestUrl.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

UrlValues Values(const std::string& login, const std::string& code)
{
    return UrlValues{"svc.test:8080", "de", login, code, 1280, 1024};
}

} // namespace

TEST(UrlExpansion, FillsEveryPlaceholderOfBothTemplates)
{
    EXPECT_EQ(ExpandUrl(InfoTemplate, Values("anna", "c0de")),
              "http://svc.test:8080/get-infos.php?sLogin=anna&sCode=c0de&sVers=1.0.0&sLang=de&sTransaction=");
    EXPECT_EQ(ExpandUrl(ImageTemplate, Values("anna", "c0de")),
              "http://svc.test:8080/get-images.php?sLogin=anna&sCode=c0de&sVers=1.0.0&sLang=de&sTransaction="
              "&iWidth=1280&iHeight=1024");
}

TEST(UrlExpansion, ReplacesInOrderEveryOccurrenceWithValuesAsTheyAre)
{
    // <User> goes before <PassWd>, so a login holding "<PassWd>" gets the code.
    EXPECT_EQ(ExpandUrl("a=<User>", Values("x<PassWd>y", "C")), "http://svc.test:8080/a=xCy");
    // A code holding "<User>" comes too late to be replaced.
    EXPECT_EQ(ExpandUrl("a=<PassWd>", Values("L", "<User>")), "http://svc.test:8080/a=<User>");
    EXPECT_EQ(ExpandUrl("<User>/<User>?<LangAbbrev><LangAbbrev>", Values("u", "c")),
              "http://svc.test:8080/u/u?dede");
    EXPECT_EQ(ExpandUrl("l=<User>", Values("a&b=c d", "")), "http://svc.test:8080/l=a&b=c d");
    // A value holding its own placeholder is inserted once, not expanded forever.
    EXPECT_EQ(ExpandUrl("l=<User>", Values("<User>", "")), "http://svc.test:8080/l=<User>");
}

TEST(UrlExpansion, KeepsTheSchemeTheServiceAddressNames)
{
    const struct {
        const char* host;
        const char* url;
        bool secure;
    } cases[] = {
        {"svc.test:8080", "http://svc.test:8080/a=L", false},
        {"http://svc.test/", "http://svc.test/a=L", false},
        {"https://svc.test:8443", "https://svc.test:8443/a=L", true},
        {"HTTPS://svc.test//", "HTTPS://svc.test/a=L", true},
        // Only a scheme at the start counts: anything else is a host name.
        {"svc.test/https://x", "http://svc.test/https://x/a=L", false},
        {"httpsvc.test", "http://httpsvc.test/a=L", false},
    };
    for (const auto& each : cases) {
        UrlValues values = Values("L", "C");
        values.host = each.host;
        const std::string url = ExpandUrl("a=<User>", values);
        EXPECT_EQ(url, each.url) << each.host;
        EXPECT_EQ(IsSecureUrl(url), each.secure) << each.host;
    }
}

TEST(UrlExpansion, EncodesOnlyWhatCannotStandInARequestLine)
{
    EXPECT_EQ(EncodeRequestUrl("http://h/p?l=a&b=c d"), "http://h/p?l=a&b=c%20d");
    EXPECT_EQ(EncodeRequestUrl(std::string("x\t\r\n\x7f\x80\xff#%<>")), "x%09%0D%0A%7F%80%FF%23%<>");
}

TEST(AnswerLines, SplitAtLineFeedAcrossChunks)
{
    std::vector<std::string> lines;
    LineSplitter splitter([&](const std::string& line) {
        lines.push_back(line);
        return true;
    });
    const std::string answer = "first\r\nsec";
    EXPECT_TRUE(splitter.Feed(answer.data(), answer.size()));
    const std::string rest = "ond\n\nlast";
    EXPECT_TRUE(splitter.Feed(rest.data(), rest.size()));
    EXPECT_TRUE(splitter.Finish());
    EXPECT_EQ(lines, (std::vector<std::string>{"first\r", "second", "", "last"}));
}

TEST(AnswerLines, FinalLineFeedGivesNoExtraLineAndSinkCanStop)
{
    int count = 0;
    LineSplitter splitter([&](const std::string&) { return ++count < 2; });
    const std::string answer = "a\nb\nc\n";
    EXPECT_FALSE(splitter.Feed(answer.data(), answer.size()));
    EXPECT_EQ(count, 2);

    std::vector<std::string> lines;
    LineSplitter whole([&](const std::string& line) {
        lines.push_back(line);
        return true;
    });
    whole.Feed(answer.data(), answer.size());
    whole.Finish();
    EXPECT_EQ(lines.size(), 3u);
}

TEST(InfoAnswer, SplitsKeyAndValueAtColonOrBlank)
{
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> cases = {
        {"MemberLogin: failed", {"MemberLogin", "failed"}},
        {"MemberLogin failed", {"MemberLogin", "failed"}},
        {"MemberLogin : failed", {"MemberLogin", ": failed"}},
        {": :  ImageFileName:a b.jpg  ", {"ImageFileName", "a b.jpg  "}},
        {"Key:\t value", {"Key", "value"}},
        {"Key:   ", {"Key", ""}},
        {"Key:x:y", {"Key", "x:y"}},
    };
    for (const auto& [line, expected] : cases) {
        std::string key;
        std::string value;
        ASSERT_TRUE(ParseInfoLine(line, key, value)) << line;
        EXPECT_EQ(key, expected.first) << line;
        EXPECT_EQ(value, expected.second) << line;
    }
}

TEST(InfoAnswer, SkipsLinesWithoutKeyOrWithNothingAfterIt)
{
    for (const std::string line : {"", ":::", "   ", "Key", "Key:", "Key ", "\t:value", "\r"}) {
        std::string key;
        std::string value;
        EXPECT_FALSE(ParseInfoLine(line, key, value)) << '"' << line << '"';
    }
}

TEST(InfoAnswer, DropsTheCarriageReturnOfCrLfAnswers)
{
    std::string key;
    std::string value;
    ASSERT_TRUE(ParseInfoLine("MemberLogin: failed\r", key, value));
    EXPECT_EQ(value, "failed");
    ASSERT_TRUE(ParseInfoLine("Blank: \r", key, value));
    EXPECT_EQ(value, "");
    ASSERT_TRUE(ParseInfoLine("Two: x\r\r", key, value));
    EXPECT_EQ(value, "x\r");
}
