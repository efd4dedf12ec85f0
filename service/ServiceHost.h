#pragma once
// Which service the saver talks to.

#include <string>

// The host (host[:port]) given by --service when optionText isn't empty,
// else the environment's ZEMBRIA_SERVICE, else the deployment default.
std::string ServiceHost(const std::string& optionText);
