// Where the render tests find their inputs (MIDI files made by csvmidi at build time, the
// probe instruments) and where each test writes its own files.
#pragma once

#include <string>

namespace testfiles {

std::string data(const std::string& name);       // a .mid made from data/<name>.csv
std::string scratch(const std::string& suffix);  // unique to the running test
std::string readText(const std::string& path);
void setEnvironment(const char* name, const std::string& value);

}  // namespace testfiles
