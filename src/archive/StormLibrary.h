// Where the build loads StormLib when the program runs rather than at start, this loads it.
#pragma once

#include <string>

namespace tarrox::mpq {

// Makes sure StormLib is loaded; empty when it is, else a message saying why it cannot be. A
// run that never opens an archive never loads it (nor the crypto libraries it pulls in), which
// is most of a short run's start-up.
std::string LoadStormLib();

} // namespace tarrox::mpq
