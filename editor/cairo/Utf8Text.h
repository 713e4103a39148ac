// Text as cairo takes it: UTF-8, from the editor's 8-bit and UTF-16 strings.
#pragma once

#include <string>
#include <string_view>

// 8-bit text, each byte one character (Latin-1), as the plain layer's strings are meant.
std::string utf8FromBytes(std::string_view text);
// UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);
