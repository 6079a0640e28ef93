#pragma once
// One function per command; each prints its JSON line and returns the exit
// status. Bad arguments throw probe::ProbeUsageError.
#include <string>
#include <vector>

namespace probe {

using Args = std::vector<std::string>;

int runAngle(const Args& args);       // command_angle.cpp
int runProtractor(const Args& args);  // command_protractor.cpp
int runCanvas(const Args& args);      // command_canvas.cpp
int runSettings(const Args& args);    // command_settings.cpp

}  // namespace probe
