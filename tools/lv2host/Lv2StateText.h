// Whether a text is a whole state description before lilv reads it: lilv takes whatever part
// of a text parses and trusts what it finds there, so a cut or damaged text could restore
// half a state, or crash the reader.
#pragma once

#include <string>

// True when the text parses as Turtle to its end and describes a preset (a state).
bool isWholeStateText(const std::string& text);
