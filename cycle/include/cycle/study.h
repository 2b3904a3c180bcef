// Parameter studies: one input of a calculation varied over a range, the
// calculation repeated at every value for one to eight refrigerants. A point
// is exactly the single calculation with the varied input typed as the
// value's shortest text (FormatShortest), so its figures equal that
// calculation's to the bit. A point that cannot be computed is refused with
// its reason and the study goes on; the points are independent and run on
// every core.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/layouts.h"
#include "cycle/library_text_option.h"
#include "cycle/number_text.h"
#include "cycle/parallel_points.h"
#include "cycle/transcritical.h"

namespace cycle {

// A cycle layout with its inputs as typed.
struct LayoutCalculation {
  Layout layout = Layout::basic;
  LayoutInput input;
};

// The calculation a study repeats, with the inputs it keeps; each point
// replaces the refrigerant and the varied input.
using StudyCalculation = std::variant<LayoutCalculation, TranscriticalInput>;

// "basic", "ihx", "economizer", "flash-tank" or "transcritical"; and that
// calculation with its form's defaults.
std::string_view CalculationName(const StudyCalculation& calculation);
std::optional<StudyCalculation> CalculationNamed(std::string_view name);
// As a page heads it: the layout's title, or "Transcritical cycle".
std::string_view CalculationTitle(const StudyCalculation& calculation);

// An input a study can vary, with the range a page first offers for it.
struct StudyVariable {
  std::string_view name;   // the command line's option without its dashes: "condensing"
  std::string_view label;  // "Condensing temperature"
  std::string_view unit;   // "°C", "K", "%", "kW", "bar"
  std::string_view from, to, step;
};

// Every input of the calculation but the refrigerant, in the order of its
// form; of a layout's own inputs only those the layout uses (the internal
// heat exchanger's effectiveness, the intermediate pressure of two stages,
// the economizer's injection superheat and approach).
std::vector<StudyVariable> StudyVariables(const StudyCalculation& calculation);
// The variable of that name; nullptr where the calculation has none.
const StudyVariable* StudyVariableNamed(const StudyCalculation& calculation, std::string_view name);

// The calculation's input of that variable as typed.
std::string InputText(const StudyCalculation& calculation, const StudyVariable& variable);

// ---- The values ------------------------------------------------------------

enum class Spacing { step, points };

// A range as typed: from, to, and the step or the number of points. The
// names are those the messages give the fields ("From", or "--from").
struct StudyRange {
  TypedField from, to;
  Spacing spacing = Spacing::step;
  TypedField by;
};

// The most values a study takes per refrigerant.
inline constexpr std::size_t kMaxStudyValues = 1000;

// The values from `from` towards `to`: by the step (`to` included where a
// step lands on it) or over the number of points with both ends included;
// each held to six digits below the step, so that 40 + 3 x 0.1 is 40.3. Or
// why there are none: a text that is no number, equal ends, a step not above
// 0, fewer than 2 points or not a whole number of them, more than
// kMaxStudyValues values.
std::variant<std::vector<double>, std::string> StudyValues(const StudyRange& range);

// ---- The points ------------------------------------------------------------

// One refrigerant at one value: the single calculation's outcome.
struct StudyPoint {
  std::string refrigerant;
  double value = 0;
  std::variant<LayoutOutcome, TranscriticalOutcome> outcome;

  const LayoutResult* layout() const;
  const TranscriticalResult* transcritical() const;
  bool computed() const { return layout() != nullptr || transcritical() != nullptr; }
  // Why the point was refused, without the refrigerant's name in front
  // where the calculation gives it so; empty when computed.
  std::string reason() const;
};

// A figure of the calculation: the numbers of its CSV line and of its
// results page.
struct StudyFigure {
  std::string_view name;   // the CSV column: "COP"
  std::string_view label;  // "Heating COP"
  std::string_view unit;   // "-" for a ratio
  int decimals;            // as a page shows it, through FormatFixed
  // The figure of the point; nothing for a refused point, where the
  // calculation has none (one stage's intermediate pressure, a two-phase
  // discharge's temperature) and where it is no finite number.
  std::optional<double> (*of)(const StudyPoint& point);
};

// The figures the calculation has: a one-stage layout no injection, no
// intermediate pressure and no losses of components it lacks.
std::vector<StudyFigure> StudyFigures(const StudyCalculation& calculation);
std::optional<StudyFigure> StudyFigureNamed(const StudyCalculation& calculation,
                                            std::string_view name);
// The figure as a page shows it; empty where the point has none.
std::string FigureText(const StudyFigure& figure, const StudyPoint& point);

// ---- The study -------------------------------------------------------------

struct Study {
  StudyCalculation calculation;
  std::vector<std::string> refrigerants;  // 1 to kMaxRefrigerants
  std::string variable;                   // a StudyVariable's name
  std::vector<double> values;

  std::size_t PointCount() const { return refrigerants.size() * values.size(); }
};

// Why the study cannot run (no refrigerant or more than eight, a variable
// the calculation does not have, no values), or nothing.
std::optional<std::string> StudyRefusal(const Study& study);

// Every point, by refrigerant and then by value, computed on the control's
// workers; a point not begun because a stop was requested is left out. The
// study must pass StudyRefusal.
std::vector<StudyPoint> RunStudy(const Study& study, const ParallelControl& control = {},
                                 LibraryText library_text = LibraryText::omitted);

}  // namespace cycle
