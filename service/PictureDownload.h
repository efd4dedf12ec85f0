#pragma once
// The rules of the picture download that don't touch the network.

#include <string>

// The name the picture is stored under when the service names none.
constexpr const char* DefaultPictureName = "default.jpg";

// The directory as a path prefix: "" becomes ".\", and a missing trailing
// separator is added.
std::string PictureDirectoryPart(const std::string& directory);
