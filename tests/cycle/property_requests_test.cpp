// How a property result that is not a number ends a calculation.
#include "property_requests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using cycle::detail::CycleFailure;
using property::PropertyResult;

const cycle::detail::Request kSuction{"suction enthalpy", "TP", 318.15, 1942.69};
const cycle::detail::Request kEvaporating{"evaporating pressure", "Tvap", 318.15};

std::string FailureOf(const PropertyResult& result, const cycle::detail::Request& request) {
  try {
    cycle::detail::NumberOf(result, "R22", request);
  } catch (const CycleFailure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(NumberOf, PassesAFiniteNumber) {
  EXPECT_EQ(cycle::detail::NumberOf(PropertyResult(421.06), "R22", kSuction), 421.06);
  EXPECT_EQ(cycle::detail::NumberOf(PropertyResult(-3.5), "R22", kSuction), -3.5);
}

TEST(NumberOf, NamesTheFluidAndWhatFailed) {
  const struct {
    PropertyResult result;
    const cycle::detail::Request& request;
    std::string message;
  } cases[] = {
      {std::string("fluid file fluids/R999.fld not found") + std::string(200, ' '), kSuction,
       "R22: fluid file fluids/R999.fld not found"},
      {std::string("  temperature above the maximum\0\0", 34), kSuction,
       "R22: temperature above the maximum"},
      {std::string("Undefined"), kSuction, "R22: suction enthalpy at TP 318.15, 1942.69 is undefined"},
      {std::string("Undefined"), kEvaporating, "R22: evaporating pressure at Tvap 318.15 is undefined"},
      {std::string(255, ' '), kSuction, "R22: no value for the suction enthalpy at TP 318.15, 1942.69"},
      {std::string(), kEvaporating, "R22: no value for the evaporating pressure at Tvap 318.15"},
      {std::monostate{}, kSuction, "R22: no value for the suction enthalpy at TP 318.15, 1942.69"},
      {std::numeric_limits<double>::quiet_NaN(), kSuction,
       "R22: suction enthalpy at TP 318.15, 1942.69 is not a finite number"},
      {-std::numeric_limits<double>::infinity(), kEvaporating,
       "R22: evaporating pressure at Tvap 318.15 is not a finite number"},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.result, c.request), c.message);
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
