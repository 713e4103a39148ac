// Where the render tool looks for the instrument when no --plugin is given.
#pragma once

#include <string>

// Brisalonde.so (Brisalonde.dll on Windows) beside the program, else the one built together
// with it; empty when neither exists.
std::string defaultPluginPath();
