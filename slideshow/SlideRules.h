#pragma once
// Decisions of the slide-show step that need no service, device or clock.

#include <string>

// The file name at the end of a path; both separators count, since cached
// paths may be formed on either platform.
std::string LastPathComponent(const std::string& path);

// The service still shows the picture on screen: it names no picture, or
// exactly the file that is shown (a.jpg is not ba.jpg).
bool ServiceShowsSamePicture(const std::string& shownPath, const std::string& serviceName);
