// The saturation curve of a pure fluid as piecewise Chebyshev series in T.
//
// Each piece covers [Tmin, Tmax] with x = (2T - (Tmax + Tmin)) / (Tmax - Tmin)
// and y = sum c_k T_k(x) for p [kPa], rhoL and rhoV [mol/dm^3]. The pieces run
// from the lower limit to the equation's own critical temperature and agree
// with its phase equilibrium to about 1e-12, so saturation needs no iteration.
// Each series is inverted (Newton on a piece's series, safeguarded by
// bisection) on the part of the curve where it is monotonic up to the
// critical point: all of it, except the liquid density of fluids with a
// density maximum (water), which is inverted above the temperature of the
// maximum.
//
// A model without such series (a mixture) computes its phase boundaries by
// iteration instead; the flashes only need SaturationPoint values.
#pragma once

#include <vector>

namespace fluidcore {

struct SaturationPoint {
  double T = 0, p = 0, rhoL = 0, rhoV = 0;
};

class SaturationCurve {
 public:
  enum class Series { pressure, liquid_density, vapour_density };
  // Below this fraction of the critical pressure the series' absolute error
  // (about 1e-11 kPa) is a noticeable part of p (saturation.h).
  static constexpr double kLowPressure = 1e-2;
  struct Piece {
    double Tmin = 0, Tmax = 0;
    std::vector<double> p, rhoL, rhoV;
  };

  SaturationCurve() = default;
  // Pieces must be contiguous and ascending; throws std::invalid_argument.
  SaturationCurve(std::vector<Piece> pieces, double Tcrit, double rhocrit);

  bool empty() const { return pieces_.empty(); }
  double Tmin() const { return pieces_.front().Tmin; }
  double Tcrit() const { return Tcrit_; }
  double rhocrit() const { return rhocrit_; }
  double pmin() const { return pmin_; }  // lower end of the invertible pressures
  double pcrit() const { return pcrit_; }
  // Where the pressure rises through kLowPressure * pcrit (the lower end
  // where it lies above throughout).
  double low_pressure_temperature() const { return low_pressure_T_; }

  // Tmin <= T <= Tcrit (clamped to that range).
  SaturationPoint at_temperature(double T) const;
  // One series and its derivative d/dT at T (clamped to the range).
  double value(Series s, double T, double* dy_dT = nullptr) const;
  // The temperature at which the series takes the value y, on its monotonic
  // part (clamped to the values at the ends of that part).
  double temperature_at(Series s, double y) const;
  // Lower end of the monotonic part of a series, and the series' value there.
  double monotonic_from(Series s) const { return monotonic_[static_cast<int>(s)].T; }
  double monotonic_end_value(Series s) const { return monotonic_[static_cast<int>(s)].y; }

 private:
  struct Coefficients {
    std::vector<double> c, dc;  // series and its derivative series (in x)
  };
  struct CompiledPiece {
    double Tmin, Tmax;
    Coefficients series[3];
    double y_lo[3], y_hi[3];  // values at Tmin and Tmax
  };
  struct MonotonicPart {
    double T = 0, y = 0;    // where the monotonic part starts
    std::size_t piece = 0;  // the piece holding T
  };
  std::size_t piece_at(double T) const;
  MonotonicPart find_monotonic_part(int series) const;
  std::vector<CompiledPiece> pieces_;
  MonotonicPart monotonic_[3];
  double Tcrit_ = 0, rhocrit_ = 0, pmin_ = 0, pcrit_ = 0, low_pressure_T_ = 0;
};

}  // namespace fluidcore
