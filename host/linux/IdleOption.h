#pragma once
// zembria --idle MINUTES (see IdleWatch.h): the option and its usage text.

#include <cstdint>
#include <string>
#include <vector>

// Takes --idle MINUTES (1 to 1440) or --idle-seconds SECONDS (1 to 86400,
// for trying it out) out of args into idleSeconds (0 when neither is
// there); one dash works as well as two, and so does --idle=MINUTES. 0 when
// well formed, else 1 with error saying what was wrong.
int TakeIdleOption(std::vector<std::string>& args, uint32_t& idleSeconds, std::string& error);

// The idle option's part of the usage text.
std::string IdleUsageText();
