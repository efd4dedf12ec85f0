#pragma once
// The program's own options: words of the command line that start with two
// dashes. They are taken out before the mode letters reach RunMode; the
// desktop never passes them, users trying the saver and the tests do.

#include <string>
#include <utility>
#include <vector>

struct ProgramOptions {
    std::string home;        // --home DIR or ZEMBRIA_HOME: the module directory
    std::string service;     // --service [https://]HOST[:PORT] or ZEMBRIA_SERVICE
    int runForSeconds = 0;   // --run-for SECONDS: close by itself; 0 runs until input
    int windowWidth = 0;     // --window WxH: a window instead of the full screen; 0 for full screen
    int windowHeight = 0;
    std::string snapshotPath; // --snapshot FILE.png: last presented frame, written at close
    std::vector<std::pair<std::string, std::string>> overrides; // options file values for this run only
    double overlayScale = 0; // --scale FACTOR (Linux): the overlay's size; 0: the display's own dpi decides
};

enum class OptionsOutcome { Run, Help, Version, Error };

// Splits the command tail into the program options and the rest, which keeps
// every other character as it was. On Error, error says what was wrong.
OptionsOutcome ParseProgramOptions(const std::string& tail, ProgramOptions& options, std::string& rest, std::string& error);

// Fills the values that the environment gives and the options did not.
void ApplyEnvironment(ProgramOptions& options);

// The service host: --service, ZEMBRIA_SERVICE, or the deployment default.
std::string ServiceHostOption(const ProgramOptions& options);

std::string UsageText();
std::string VersionText();

constexpr int ExitUsage = 2;
