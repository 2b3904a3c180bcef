// Kelvin at 0 'C: the program computes in kelvin and shows degrees Celsius.
#pragma once

namespace numerics {

inline constexpr double kKelvinOffset = 273.15;

}  // namespace numerics
