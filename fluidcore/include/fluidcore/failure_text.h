// The library's words for a failure record: the text the entry points hand
// out (after the routine's name), and the message of a result of the C++ API.
#pragma once

#include <string>

#include "fluidcore/failure.h"

namespace fluidcore {

// "temperature 100 K is below the lower limit 169.85 K of R134a"
std::string describe(const Failure& why);

}  // namespace fluidcore
