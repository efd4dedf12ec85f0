// Parsing the key/value lines of the information exchange.

#include "service/InfoAnswer.h"

namespace {

bool IsKeyEnd(char c) { return c == ':' || c == ' '; }

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimStart(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && IsWhiteSpace(text[first]))
        ++first;
    return text.substr(first);
}

std::string TrimEnd(const std::string& text)
{
    size_t last = text.size();
    while (last > 0 && IsWhiteSpace(text[last - 1]))
        --last;
    return text.substr(0, last);
}

} // namespace

bool ParseInfoLine(const std::string& line, std::string& key, std::string& value)
{
    size_t start = 0;
    while (start < line.size() && IsKeyEnd(line[start]))
        ++start;
    size_t end = start;
    while (end < line.size() && !IsKeyEnd(line[end]))
        ++end;
    // The key's end character must be there and something must follow it.
    if (end + 1 >= line.size())
        return false;
    key = TrimStart(TrimEnd(line.substr(start, end - start)));
    if (key.empty())
        return false;
    value = TrimStart(line.substr(end + 1));
    if (!value.empty() && value.back() == '\r')
        value.pop_back();
    if (value.size() > MaxInfoValueBytes)
        value.resize(MaxInfoValueBytes);
    return true;
}

InfoAnswerReader::InfoAnswerReader(KeyValueList& store)
    : store(store), lines([this](const std::string& line) {
          std::string key;
          std::string value;
          if (ParseInfoLine(line, key, value)) {
              this->store.AddPair(key, value);
              ++added;
          }
          return !Full();
      })
{
}

bool InfoAnswerReader::Feed(const char* data, size_t size)
{
    return !Full() && lines.Feed(data, size);
}

void InfoAnswerReader::Finish()
{
    if (!Full())
        lines.Finish();
}
