// The reader against many generated and mutated inputs: it must never crash,
// and whatever it accepts must be a well-formed entry.

#include "SettingsTestSupport.h"

#include "settings/OptionsFile.h"

#include <algorithm>
#include <random>
#include <string_view>

namespace {

#ifdef _WIN32
constexpr int inputCount = 20000;
#else
constexpr int inputCount = 100000;
#endif

const std::string seeds[] = {
    "# Zembria.ini\r\n\r\n[Application]\r\nLanguage\t=\t0\r\nImagePath\t=\timages\r\n"
    "CacheDays\t=\t14\r\n\r\n[User Data]\r\nMemberLogin\t=\tJane Doe\r\n",
    "LanguageStr = Sprache\nInfoAdv1 = - keine Werbung # note\rHint =  HINT:\r\n",
    "[x]\r\n= = =\r\n#=#\r\nKey == value\r\nKey=value\r\n\t\t=\t\r\n",
};

// Pieces that matter to the parser, so mutations hit its decisions.
constexpr std::string_view tokens[] = {
    "\r\n", "\r", "\n", "\t", " ", "=", " = ", "\t=\t", "#", "[", "]", std::string_view("\0", 1),
    "Key", "yes", "\xff", "\x80"};

std::string Mutate(std::string text, std::mt19937& random)
{
    const int steps = 1 + static_cast<int>(random() % 8);
    for (int s = 0; s < steps; ++s) {
        const size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        switch (random() % 6) {
        case 0: // insert a token
            text.insert(at, tokens[random() % std::size(tokens)]);
            break;
        case 1: // overwrite a byte with anything
            if (at < text.size()) {
                text[at] = static_cast<char>(random());
            }
            break;
        case 2: // cut a span
            text.erase(at, random() % 16);
            break;
        case 3: // duplicate a span
            text.insert(at, text.substr(at, random() % 64));
            break;
        case 4: // truncate
            text.resize(at);
            break;
        default: // random bytes
            for (int n = static_cast<int>(random() % 32); n > 0; --n) {
                text.insert(text.begin() + static_cast<long>(std::min(at, text.size())), static_cast<char>(random()));
            }
            break;
        }
    }
    return text;
}

void ExpectWellFormed(const KeyValueList& list, const std::string& input)
{
    std::string key, value;
    for (long index = 0; list.NextPair(index, key, value) == 0;) {
        const bool keyOk = !key.empty() && key[0] != '#' && key[0] != '[' && key[0] != ']'
                        && key.find_first_of(std::string(" \t\r\n\0", 5)) == std::string::npos;
        const bool valueOk = !value.empty()
                          && value.find_first_of(std::string("\t\r\n#\0", 5)) == std::string::npos;
        ASSERT_TRUE(keyOk && valueOk) << "key \"" << key << "\" value \"" << value
                                      << "\" from an input of " << input.size() << " bytes";
    }
}

} // namespace

TEST(ReaderRobustness, GeneratedAndMutatedInputsParseSafely)
{
    std::mt19937 random(20261206);
    size_t pairsSeen = 0;
    for (int i = 0; i < inputCount; ++i) {
        std::string input;
        if (i % 4 == 0) {
            input.resize(random() % 512);
            for (char& c : input) {
                c = static_cast<char>(random());
            }
        } else {
            input = Mutate(seeds[random() % std::size(seeds)], random);
        }
        KeyValueList list;
        ParseLines(input, list);
        ASSERT_EQ(list.EntryCount() % 2, 0u);
        ExpectWellFormed(list, input);
        if (HasFatalFailure()) {
            return;
        }
        pairsSeen += list.EntryCount() / 2;
    }
    // The mutations must keep producing entries, or the test proves little.
    EXPECT_GT(pairsSeen, static_cast<size_t>(inputCount));
}

TEST(ReaderRobustness, SplittingTextAtLineEndsDoesNotChangeThePairs)
{
    // Load parses its big reads piece by piece, cut after a line end.
    std::mt19937 random(7);
    for (int i = 0; i < inputCount / 20; ++i) {
        const std::string input = Mutate(seeds[i % std::size(seeds)], random);
        KeyValueList whole;
        ParseLines(input, whole);

        KeyValueList pieces;
        size_t start = 0;
        for (size_t at = 0; at < input.size(); ++at) {
            if ((input[at] == '\r' || input[at] == '\n') && random() % 3 == 0) {
                ParseLines(std::string_view(input).substr(start, at + 1 - start), pieces);
                start = at + 1;
            }
        }
        ParseLines(std::string_view(input).substr(start), pieces);
        ASSERT_EQ(PairsOf(pieces), PairsOf(whole));
    }
}

TEST(ReaderRobustness, BinaryFileLoadsWithoutHarm)
{
    TempFolder folder;
    std::mt19937 random(99);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    bytes += "\r\nLast = entry";
    KeyValueStore store;
    ASSERT_EQ(store.Load(folder.Write("binary.ini", bytes)), 0);
    ExpectWellFormed(store.list, bytes);
    EXPECT_EQ(store.GetString("Last", ""), "entry");
}
