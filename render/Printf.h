#pragma once
// printf into a std::string, for the overlay's formatted texts.

#include <string>

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
