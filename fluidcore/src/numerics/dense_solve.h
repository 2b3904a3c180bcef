// Small dense linear systems (the Newton steps of the mixture solvers, at
// most 24 unknowns): Gaussian elimination with partial pivoting.
#pragma once

#include <cmath>
#include <cstddef>
#include <utility>

namespace fluidcore {

// Solves A x = b in place: A is n x n row-major (destroyed), b becomes x.
// False when A is singular to working precision.
template <std::size_t Capacity>
bool solve_dense(double (&A)[Capacity * Capacity], double (&b)[Capacity], std::size_t n) {
  for (std::size_t c = 0; c < n; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < n; ++r)
      if (std::abs(A[r * n + c]) > std::abs(A[pivot * n + c])) pivot = r;
    if (!(std::abs(A[pivot * n + c]) > 1e-300)) return false;
    if (pivot != c) {
      for (std::size_t k = 0; k < n; ++k) std::swap(A[c * n + k], A[pivot * n + k]);
      std::swap(b[c], b[pivot]);
    }
    const double inv = 1 / A[c * n + c];
    for (std::size_t r = c + 1; r < n; ++r) {
      const double f = A[r * n + c] * inv;
      if (f == 0) continue;
      for (std::size_t k = c; k < n; ++k) A[r * n + k] -= f * A[c * n + k];
      b[r] -= f * b[c];
    }
  }
  for (std::size_t c = n; c-- > 0;) {
    double s = b[c];
    for (std::size_t k = c + 1; k < n; ++k) s -= A[c * n + k] * b[k];
    b[c] = s / A[c * n + c];
  }
  for (std::size_t c = 0; c < n; ++c)
    if (!std::isfinite(b[c])) return false;
  return true;
}

}  // namespace fluidcore
