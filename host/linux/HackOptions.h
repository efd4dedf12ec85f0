#pragma once
// The settings a hack user changes per run, as xscreensaver's settings
// program passes them (--clock-local, or -clock-local as older versions and
// users write them). They override Zembria.ini for that run only: the saver
// never writes its options file, so nothing given here is kept. --scale sets
// the overlay's size, which no file keeps.

#include "host/ProgramOptions.h"

#include <string>
#include <utility>
#include <vector>

// Zembria.ini keys and the values this run uses instead of the file's.
using OptionOverrides = std::vector<std::pair<std::string, std::string>>;

// Takes the hack options out of args (the words after the program's name)
// into the options' overrides and overlay scale; the other words stay, in
// their order. 0 when every hack option was well formed, else 1 with error
// saying what was wrong.
int TakeHackOptions(std::vector<std::string>& args, ProgramOptions& options, std::string& error);

// The hack options' part of the usage text.
std::string HackUsageText();
