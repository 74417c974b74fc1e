// The editable form of stored strings: control bytes (and the angle brackets themselves) are
// shown as <N> so they can be seen and typed in an ordinary text box.
#pragma once

#include <string>

namespace tarrox {

// Stored string -> editable text: "<" -> "<60>", ">" -> "<62>", bytes 1..31 -> "<N>".
std::string TextToCodes(const std::string& stored);

// Editable text -> stored string: "<N>" for N in 1..255 without leading zeros becomes byte N;
// anything else stays literal.
std::string CodesToText(const std::string& text);

} // namespace tarrox
