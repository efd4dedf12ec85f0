#pragma once
// Paths travel through the program as narrow texts in the system's code page;
// std::filesystem wants the platform's own encoding. These convert between
// the two (Windows: the ANSI code page and UTF-16; elsewhere: bytes as they are).

#include <filesystem>
#include <string>

std::filesystem::path PathFromText(const std::string& text);

// False when the name can't be written in the narrow code page; text then
// holds it with the unwritable characters replaced.
bool TextFromPath(const std::filesystem::path& path, std::string& text);
