#include "property/property_functions.h"

#include <cmath>
#include <exception>
#include <utility>
#include <string>

#include "property/binding.h"
#include "property/fluid_setup.h"
#include "property/state_evaluation.h"
#include "property/unit_catalogue.h"
#include "property/unit_systems.h"
#include "text.h"

namespace property {

namespace {

// One complete request: evaluate the state, then return one field of it in
// the caller's unit system (or the text that stands in place of it).
PropertyResult RequestField(double StateCache::*field, std::string_view result_code,
                            std::string_view fluid, std::string_view code, std::string_view units,
                            double value1, double value2) {
  try {
    CalcState(fluid, code, units, value1, value2);
  } catch (const std::exception& failure) {  // out of memory, and the like
    Layer().Fail(failure.what(), Unexpected{});
  }
  return ConvertResult(result_code, units, Layer().State.*field);
}

}  // namespace

PropertyResult Temperature(std::string_view fluid, std::string_view code, std::string_view units,
                           double value1, double value2) {
  return RequestField(&StateCache::T, "-T", fluid, code, units, value1, value2);
}

PropertyResult Pressure(std::string_view fluid, std::string_view code, std::string_view units,
                        double value1, double value2) {
  return RequestField(&StateCache::P, "-P", fluid, code, units, value1, value2);
}

PropertyResult Volume(std::string_view fluid, std::string_view code, std::string_view units,
                      double value1, double value2) {
  PropertyResult density = RequestField(&StateCache::D, "-D", fluid, code, units, value1, value2);
  // A text (the library's message, "Undefined") has no reciprocal: passed on.
  if (double* r = std::get_if<double>(&density); r != nullptr && *r != 0) *r = 1 / *r;
  return density;
}

PropertyResult Enthalpy(std::string_view fluid, std::string_view code, std::string_view units,
                        double value1, double value2) {
  return RequestField(&StateCache::H, "-H", fluid, code, units, value1, value2);
}

PropertyResult Entropy(std::string_view fluid, std::string_view code, std::string_view units,
                       double value1, double value2) {
  return RequestField(&StateCache::S, "-S", fluid, code, units, value1, value2);
}

PropertyResult Cp(std::string_view fluid, std::string_view code, std::string_view units,
                  double value1, double value2) {
  return RequestField(&StateCache::Cp, "-S", fluid, code, units, value1, value2);
}

StateResult WholeState(std::string_view fluid, std::string_view code, std::string_view units,
                       double value1, double value2) {
  RequestField(&StateCache::T, "-T", fluid, code, units, value1, value2);
  const StateCache& s = Layer().State;
  StateProperties state;
  const std::pair<double StateProperties::*, PropertyResult> fields[] = {
      {&StateProperties::T, ConvertResult("-T", units, s.T)},
      {&StateProperties::P, ConvertResult("-P", units, s.P)},
      {&StateProperties::D, ConvertResult("-D", units, s.D)},
      {&StateProperties::H, ConvertResult("-H", units, s.H)},
      {&StateProperties::S, ConvertResult("-S", units, s.S)},
      {&StateProperties::Q, ConvertResult("-Q", units, s.Q)},
  };
  for (const auto& [field, result] : fields) {
    if (const double* value = std::get_if<double>(&result)) {
      state.*field = *value;
    } else {
      const std::string* text = std::get_if<std::string>(&result);
      return text ? *text : std::string("Undefined");
    }
  }
  // A two-phase state has no heat capacity, yet every other field.
  const PropertyResult cp = ConvertResult("-S", units, s.Cp);
  const double* cp_value = std::get_if<double>(&cp);
  state.Cp = cp_value ? *cp_value : std::nan("");
  return state;
}

namespace {

// The range of the fluid's equation (LIMITSdll), in library units; every
// value 0 where the fluid cannot be loaded, with the layer's error set.
struct EquationLimits {
  double tmin = 0, tmax = 0, dmax = 0, pmax = 0;
};

EquationLimits LimitsOf(std::string_view fluid, std::string_view units) {
  LayerState& layer = Layer();
  EquationLimits limits;
  try {
    std::string name(fluid);
    double unused1 = 0;
    double unused2 = 0;
    SelectFluid(name, "", units, unused1, unused2);
    if (layer.ErrorCode <= 0) {
      if (const auto entry = RequireEntry(&EntryPoints::LIMITSdll)) {
        char model[] = "EOS";
        entry(model, layer.Composition.data(), &limits.tmin, &limits.tmax, &limits.dmax,
              &limits.pmax, 3);
      }
    }
  } catch (const std::exception& failure) {
    layer.Fail(failure.what(), Unexpected{});
  }
  return limits;
}

}  // namespace

PropertyResult LowerTemperatureLimit(std::string_view fluid, std::string_view units) {
  return ConvertResult("-T", units, LimitsOf(fluid, units).tmin);
}

PropertyResult UpperPressureLimit(std::string_view fluid, std::string_view units) {
  return ConvertResult("-P", units, LimitsOf(fluid, units).pmax);
}

PropertyResult CriticalPoint(std::string_view fluid, std::string_view letter,
                             std::string_view units) {
  LayerState& layer = Layer();
  EvaluationState& ev = Evaluation();
  StateCache& s = layer.State;
  try {
    std::string name(fluid);
    double third = 0;
    double fourth = 0;
    SelectFluid(name, "", units, third, fourth);
    // Called even when the setup failed; the setup's error then stands.
    std::string missing;
    if (const auto critp = FindEntry(&EntryPoints::CRITPdll, missing)) {
      critp(layer.Composition.data(), &s.Tcrit, &s.Pcrit, &s.Dcrit, &ev.CriticalErrorCode,
            ev.CriticalErrorText.Buffer(), ev.CriticalErrorText.kWidth);
      ev.CriticalErrorText.AdoptLibraryText();
      // A critical point the library could not find is no number to return.
      if (layer.ErrorCode <= 0 && ev.CriticalErrorCode > 0) {
        layer.ErrorCode = ev.CriticalErrorCode;
        layer.ErrorText = ev.CriticalErrorText.View();
        TakeLibraryFailure(layer);
      }
    } else if (layer.ErrorCode <= 0) {
      layer.Fail(missing, LibraryUnavailable{});
    }
  } catch (const std::exception& failure) {
    layer.Fail(failure.what(), Unexpected{});
  }
  if (letter == "P" || letter == "p") return ConvertResult("-P", units, s.Pcrit);
  if (letter == "D" || letter == "d") return ConvertResult("-D", units, s.Dcrit);
  return ConvertResult("-T", units, s.Tcrit);
}

namespace {

char LetterOf(fluidcore::Quantity q) {
  switch (q) {
    case fluidcore::Quantity::temperature: return 'T';
    case fluidcore::Quantity::pressure: return 'P';
    case fluidcore::Quantity::density: return 'D';
    case fluidcore::Quantity::internal_energy: return 'E';
    case fluidcore::Quantity::enthalpy: return 'H';
    case fluidcore::Quantity::entropy: return 'S';
    case fluidcore::Quantity::quality: return 'Q';
  }
  return 'Q';
}

}  // namespace

RequestFailure FailureOf(std::string_view text, std::string_view units) {
  const LayerState& layer = Layer();
  if (layer.ErrorCode <= 0 || TrimBlanks(text) != TrimBlanks(layer.ErrorText.View())) return {};
  RequestFailure why = layer.Why;
  if (auto* record = std::get_if<fluidcore::Failure>(&why)) {
    try {
      fluidcore::each_value(*record, [&](fluidcore::Quantity q, double& value) {
        value = FromLibraryUnits(LetterOf(q), units, value);
      });
    } catch (const ConversionFault&) {
      return {};
    }
  }
  return why;
}

}  // namespace property
