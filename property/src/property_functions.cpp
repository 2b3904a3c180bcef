#include "property/property_functions.h"

#include <exception>
#include <string>

#include "property/binding.h"
#include "property/fluid_setup.h"
#include "property/state_evaluation.h"
#include "property/unit_systems.h"

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
    Layer().Fail(failure.what());
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
      }
    } else if (layer.ErrorCode <= 0) {
      layer.Fail(missing);
    }
  } catch (const std::exception& failure) {
    layer.Fail(failure.what());
  }
  if (letter == "P" || letter == "p") return ConvertResult("-P", units, s.Pcrit);
  if (letter == "D" || letter == "d") return ConvertResult("-D", units, s.Dcrit);
  return ConvertResult("-T", units, s.Tcrit);
}

}  // namespace property
