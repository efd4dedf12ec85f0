#pragma once
// The picture interval: the option RefreshRate holds an index into a fixed
// table of intervals, shown in the settings dialog with short texts.

#include <string>

constexpr int RefreshIntervalCount = 10;

// Seconds of an interval index; any index outside the table is 50 seconds.
int RefreshSecondsOfIndex(int index);

// The index text for a number of seconds, "0" to "9"; "3" when the seconds
// aren't one of the table's intervals.
std::string RefreshIndexText(int seconds);

// The dialog's text of an index ("10 secs" ... "30 min"); empty outside the table.
const char* RefreshIntervalText(int index);
