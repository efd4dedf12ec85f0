#pragma once
// Text answers read line by line: a line ends at a line feed, which is
// removed; a carriage return before it stays; a last line without a line
// feed still counts.

#include <functional>
#include <string>

class LineSplitter {
public:
    using LineSink = std::function<bool(const std::string& line)>;

    explicit LineSplitter(LineSink sink) : sink(std::move(sink)) {}

    // Hands every complete line in data to the sink; false when the sink said stop.
    bool Feed(const char* data, size_t size);
    // Hands over the last line if it had no line feed.
    bool Finish();

private:
    LineSink sink;
    std::string pending;
};
