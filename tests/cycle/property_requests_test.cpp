// How a property result that is not a number ends a calculation.
#include "property_requests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "property/layer_state.h"

namespace {

using cycle::detail::CycleFailure;
using property::PropertyResult;

const cycle::detail::Request kSuction{"enthalpy", "suction state (point 1)", "TP", 322.15,
                                      1729.09};
const cycle::detail::Request kEvaporating{"pressure", "evaporating state", "Tvap", 318.15};
const cycle::detail::Request kCritical{"temperature", "critical point", ""};

std::string FailureOf(const PropertyResult& result, const cycle::detail::Request& request,
                      cycle::LibraryText shown = cycle::LibraryText::omitted) {
  try {
    cycle::detail::NumberOf(result, "R22", request);
  } catch (const CycleFailure& failure) {
    return failure.Message(shown);
  }
  return "no failure";
}

// The property layer as a failed request leaves it: the library's text and
// the record beside it (values in library units).
void LeaveFailed(const std::string& text, property::RequestFailure why) {
  property::LayerState& layer = property::Layer();
  layer.ErrorCode = 2;
  layer.ErrorText = text;
  layer.ErrorText.AdoptLibraryText();
  layer.Why = std::move(why);
}

fluidcore::Failure TemperatureBeyond(double T, fluidcore::failure::Side side,
                                     fluidcore::failure::Limit limit, double limit_value) {
  return fluidcore::failure::BeyondLimit{{fluidcore::Quantity::temperature, T}, side, limit,
                                         limit_value, "R22"};
}

TEST(NumberOf, PassesAFiniteNumber) {
  EXPECT_EQ(cycle::detail::NumberOf(PropertyResult(421.06), "R22", kSuction), 421.06);
  EXPECT_EQ(cycle::detail::NumberOf(PropertyResult(-3.5), "R22", kSuction), -3.5);
}

// Every message names the fluid, the quantity and the state of the cycle, in
// the forms' units; the library's own text only where asked for.
TEST(NumberOf, NamesTheFluidTheStateAndWhatFailedInTheFormsTerms) {
  using fluidcore::failure::Limit, fluidcore::failure::Side;
  const struct {
    PropertyResult result;
    const cycle::detail::Request& request;
    std::string message;
    property::RequestFailure why = {};  // beside a text
  } cases[] = {
      {std::string("SETUP: fluid file fluids\\R22.fld not found (searched /opt/fluids)") +
           std::string(200, ' '),
       kSuction,
       "R22: the enthalpy of the suction state (point 1) cannot be computed: R22 is not a fluid "
       "or mixture the property library knows",
       fluidcore::Failure(fluidcore::failure::FileFault{true, "not found"})},
      {std::string("  TPFLSH: temperature 918.15 K is above the upper limit 550 K of R22\0\0", 71),
       kSuction,
       "R22: the enthalpy of the suction state (point 1) cannot be computed: temperature 645.00 "
       "'C is above the upper limit 276.85 'C of R22",
       TemperatureBeyond(918.15, Side::above, Limit::upper_limit, 550)},
      {std::string("SATT: temperature 100 K is below the lower limit 115.73 K of R22"), kEvaporating,
       "R22: the pressure of the evaporating state cannot be computed: temperature -173.15 'C is "
       "below the lower limit -157.42 'C of R22",
       TemperatureBeyond(100, Side::below, Limit::lower_limit, 115.73)},
      // A text the forms cannot show: what the request gave, in their units.
      {std::string("XYZ: no state near /tmp/x"), kSuction,
       "R22: the enthalpy of the suction state (point 1) cannot be computed at 49.00 'C and "
       "17.29 bar"},
      {std::string("Undefined"), kSuction,
       "R22: the enthalpy of the suction state (point 1) is undefined at 49.00 'C and 17.29 bar"},
      {std::string("Undefined"), kEvaporating,
       "R22: the pressure of the evaporating state is undefined at 45.00 'C"},
      {std::string(255, ' '), kSuction,
       "R22: no value for the enthalpy of the suction state (point 1) at 49.00 'C and 17.29 bar"},
      {std::string(), kEvaporating, "R22: no value for the pressure of the evaporating state at 45.00 'C"},
      {std::monostate{}, kCritical, "R22: no value for the temperature of the critical point"},
      {std::numeric_limits<double>::quiet_NaN(), kSuction,
       "R22: the enthalpy of the suction state (point 1) at 49.00 'C and 17.29 bar is not a finite "
       "number"},
      {-std::numeric_limits<double>::infinity(), kEvaporating,
       "R22: the pressure of the evaporating state at 45.00 'C is not a finite number"},
  };
  for (const auto& c : cases) {
    if (const auto* text = std::get_if<std::string>(&c.result)) LeaveFailed(*text, c.why);
    EXPECT_EQ(FailureOf(c.result, c.request), c.message);
  }
}

TEST(NumberOf, AppendsTheLibrarysTextWhereAskedFor) {
  const std::string text = "SATT: temperature 393.15 K is above the critical temperature 369.295 K of R22";
  LeaveFailed(text, TemperatureBeyond(393.15, fluidcore::failure::Side::above,
                                      fluidcore::failure::Limit::critical_temperature, 369.295));
  EXPECT_EQ(FailureOf(PropertyResult(text + "   "), kEvaporating, cycle::LibraryText::appended),
            "R22: the pressure of the evaporating state cannot be computed: temperature 120.00 'C "
            "is above the critical temperature 96.15 'C of R22 (library: " + text + ")");
  // Nothing to append where the library said nothing.
  EXPECT_EQ(FailureOf(std::numeric_limits<double>::infinity(), kEvaporating,
                      cycle::LibraryText::appended),
            FailureOf(std::numeric_limits<double>::infinity(), kEvaporating));
}

TEST(Quotient, RefusesAZeroDivisorAndAnOverflow) {
  using cycle::detail::Quotient;
  EXPECT_EQ(Quotient(10, 4, "R22", "the compressor power", "COP"), 2.5);
  EXPECT_EQ(Quotient(0, -4, "R22", "the compressor power", "COP"), 0);
  const auto failure = [](double numerator, double denominator) -> std::string {
    try {
      Quotient(numerator, denominator, "R22", "the compressor power", "COP");
    } catch (const CycleFailure& e) {
      return e.what();
    }
    return "no failure";
  };
  EXPECT_EQ(failure(5, 0), "R22: the compressor power is zero, so the COP cannot be calculated");
  EXPECT_EQ(failure(0, 0), "R22: the compressor power is zero, so the COP cannot be calculated");
  EXPECT_EQ(failure(1e300, 1e-300), "R22: the COP is out of range");
  EXPECT_EQ(failure(std::numeric_limits<double>::infinity(), 2), "R22: the COP is out of range");
}

}  // namespace
