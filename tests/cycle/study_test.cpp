// Parameter studies: every point is the single calculation at its value, bit
// for bit; a point the calculation refuses is refused and the study goes on;
// the transcritical sweep finds the best pressure the search finds; ranges
// that hold no sensible values are refused with a message.
#include "cycle/study.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace {

using cycle::LayoutCalculation;
using cycle::Spacing;
using cycle::Study;
using cycle::StudyCalculation;
using cycle::StudyPoint;
using cycle::TranscriticalInput;

// Every figure of a point, or its refusal, as text that shows each bit.
std::string Fingerprint(const StudyCalculation& calculation, const StudyPoint& point) {
  if (!point.computed()) return "refused: " + point.reason();
  std::string text;
  for (const cycle::StudyFigure& figure : cycle::StudyFigures(calculation)) {
    const auto value = figure.of(point);
    text += std::string(figure.name) + '=' +
            (value ? std::to_string(std::bit_cast<std::uint64_t>(*value)) : "none") + ' ';
  }
  return text;
}

// The single calculation with the input typed as the value, as an engineer
// would type it into the form.
StudyPoint Single(const StudyCalculation& calculation, std::string_view variable,
                  const std::string& refrigerant, double value) {
  const std::string typed = cycle::FormatShortest(value);
  StudyPoint point{refrigerant, value, {}};
  if (const auto* layout = std::get_if<LayoutCalculation>(&calculation)) {
    cycle::LayoutInput input = layout->input;
    input.Refrigerant = refrigerant;
    if (variable == "condensing") input.Condensing = typed;
    if (variable == "intermediate") input.Intermediate = typed;
    if (variable == "superheating") input.Superheating = typed;
    point.outcome = cycle::CalcLayout(layout->layout, input);
  } else {
    TranscriticalInput input = std::get<TranscriticalInput>(calculation);
    input.Refrigerant = refrigerant;
    if (variable == "high-pressure") input.HighPressure = typed;
    if (variable == "water-out") input.WaterOut = typed;
    point.outcome = cycle::CalcTranscriticalCycle(input);
  }
  return point;
}

std::vector<double> Values(const char* from, const char* to, Spacing spacing, const char* by) {
  auto values = cycle::StudyValues({{"From", from}, {"To", to}, spacing, {"By", by}});
  if (const auto* message = std::get_if<std::string>(&values)) {
    ADD_FAILURE() << *message;
    return {};
  }
  return std::get<std::vector<double>>(values);
}

LayoutCalculation Layout(cycle::Layout layout, std::string evaporating = "50") {
  LayoutCalculation calculation{layout, {}};
  calculation.input.Evaporating = std::move(evaporating);
  return calculation;
}

TEST(Study, EveryPointIsTheSingleCalculationAtItsValueBitForBit) {
  TranscriticalInput water_55;
  water_55.WaterOut = "55";
  const struct {
    StudyCalculation calculation;
    std::vector<std::string> refrigerants;
    std::string variable;
    std::vector<double> values;
  } studies[] = {
      {Layout(cycle::Layout::ihx, "10"),
       {"R134a", "R407C", "R1234ze(E)"},
       "condensing",
       Values("40", "60", Spacing::step, "6.5")},
      {Layout(cycle::Layout::economizer),
       {"R245fa", "R513A"},
       "intermediate",
       Values("8", "20", Spacing::points, "4")},
      {Layout(cycle::Layout::basic),
       {"R600a"},
       "superheating",
       Values("0.1", "0.5", Spacing::step, "0.1")},
      {TranscriticalInput{}, {"R744"}, "water-out", Values("50", "70", Spacing::step, "10")},
      {water_55, {"R744"}, "high-pressure", Values("70", "130", Spacing::points, "5")},
  };
  for (const auto& s : studies) {
    const Study study{s.calculation, s.refrigerants, s.variable, s.values};
    ASSERT_EQ(cycle::StudyRefusal(study), std::nullopt);
    const auto points = cycle::RunStudy(study, {.workers = 2, .stop_requested = {}, .done = {}});
    ASSERT_EQ(points.size(), s.refrigerants.size() * s.values.size()) << s.variable;
    int computed = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const std::string& refrigerant = s.refrigerants[i / s.values.size()];
      const double value = s.values[i % s.values.size()];
      EXPECT_EQ(points[i].refrigerant, refrigerant);
      EXPECT_EQ(points[i].value, value);
      EXPECT_EQ(Fingerprint(s.calculation, points[i]),
                Fingerprint(s.calculation, Single(s.calculation, s.variable, refrigerant, value)))
          << cycle::CalculationName(s.calculation) << ' ' << refrigerant << ' ' << s.variable << ' '
          << value;
      computed += points[i].computed();
    }
    EXPECT_GT(computed, 0) << s.variable << ": a study that computes nothing proves nothing";
  }
}

// R134a's critical temperature is 101.06 'C: the points above it are refused
// with the calculation's own reason, those below computed.
TEST(Study, ARangeAcrossTheCriticalTemperatureRefusesThePointsAboveIt) {
  const Study study{Layout(cycle::Layout::basic),
                    {"R134a", "R1234yf"},
                    "condensing",
                    Values("90", "110", Spacing::step, "5")};
  const auto points = cycle::RunStudy(study);
  std::vector<std::string> verdicts;
  for (const StudyPoint& point : points) {
    verdicts.push_back(point.refrigerant + ' ' + cycle::FormatShortest(point.value) + ' ' +
                       (point.computed() ? "computed" : point.reason()));
  }
  const std::string r134a_limit = " must lie below the critical temperature of R134a (101.06 'C)";
  const std::string r1234yf_limit =
      " must lie below the critical temperature of R1234yf (94.70 'C)";
  EXPECT_EQ(verdicts,
            (std::vector<std::string>{
                "R134a 90 computed", "R134a 95 computed", "R134a 100 computed",
                "R134a 105 Condensing Temperature (105.00 'C)" + r134a_limit,
                "R134a 110 Condensing Temperature (110.00 'C)" + r134a_limit, "R1234yf 90 computed",
                "R1234yf 95 Condensing Temperature (95.00 'C)" + r1234yf_limit,
                "R1234yf 100 Condensing Temperature (100.00 'C)" + r1234yf_limit,
                "R1234yf 105 Condensing Temperature (105.00 'C)" + r1234yf_limit,
                "R1234yf 110 Condensing Temperature (110.00 'C)" + r1234yf_limit}));
  // Refused points have no figures to plot.
  const auto cop = cycle::StudyFigureNamed(study.calculation, "COP");
  ASSERT_TRUE(cop);
  EXPECT_EQ(cop->of(points[3]), std::nullopt);
  EXPECT_EQ(cycle::FigureText(*cop, points[3]), "");
  EXPECT_EQ(cycle::FigureText(*cop, points[0]),
            cycle::FormatFixed(points[0].layout()->cop, cop->decimals));
}

// The pressure of the sweep's best COP lies within a step of the pressure
// "optimal" finds: the best itself where the water allows it, else the
// lowest pressure at which the water reaches its outlet temperature (the
// sweep refuses the points below it).
TEST(Study, TheTranscriticalSweepFindsTheOptimalHighSidePressure) {
  for (const char* water_out : {"55", "65"}) {
    TranscriticalInput input;
    input.WaterOut = water_out;
    const auto optimal = cycle::CalcTranscriticalCycle(input);
    ASSERT_TRUE(std::holds_alternative<cycle::TranscriticalResult>(optimal));
    const auto& best = std::get<cycle::TranscriticalResult>(optimal);

    constexpr double kStep = 0.5;
    const Study study{input, {"R744"}, "high-pressure", Values("75", "140", Spacing::step, "0.5")};
    const auto points = cycle::RunStudy(study);
    const auto top = std::max_element(points.begin(), points.end(),
                                      [](const StudyPoint& a, const StudyPoint& b) {
                                        const double none = -1;
                                        return (a.computed() ? a.transcritical()->cop : none) <
                                               (b.computed() ? b.transcritical()->cop : none);
                                      });
    ASSERT_TRUE(top->computed());
    EXPECT_NEAR(top->value, best.high_pressure, kStep) << "water out " << water_out;
    EXPECT_LE(top->transcritical()->cop, best.best_cop + 1e-9) << "water out " << water_out;
    if (std::string(water_out) == "65") {
      EXPECT_TRUE(best.pinch_limited);
      EXPECT_FALSE(points.front().computed()) << "the water cannot reach 65 'C at 75 bar";
    }
  }
}

TEST(Study, RangesGiveTheirValues) {
  const struct {
    const char* from;
    const char* to;
    Spacing spacing;
    const char* by;
    std::vector<double> values;
  } cases[] = {
      {"40", "60", Spacing::step, "5", {40, 45, 50, 55, 60}},
      {"60", "40", Spacing::step, "5", {60, 55, 50, 45, 40}},  // downwards
      {"0", "1", Spacing::step, "0.3", {0, 0.3, 0.6, 0.9}},    // 1 is not reached
      {"40", "40.5", Spacing::step, "0.1", {40, 40.1, 40.2, 40.3, 40.4, 40.5}},
      {"0", "1", Spacing::points, "4", {0, 0.3333333, 0.6666667, 1}},
      {"-5", "5", Spacing::points, "2", {-5, 5}},
      {" 1e1 ", "20", Spacing::points, "3.0", {10, 15, 20}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Values(c.from, c.to, c.spacing, c.by), c.values)
        << c.from << " to " << c.to << " by " << c.by;
  }
  EXPECT_EQ(Values("0", "999", Spacing::step, "1").size(), cycle::kMaxStudyValues);
  EXPECT_EQ(Values("0", "1", Spacing::points, "1000").size(), cycle::kMaxStudyValues);
}

TEST(Study, RangesWithoutSensibleValuesAreRefused) {
  const std::string point = "\" is not a number (the decimal separator is a point)";
  const struct {
    const char* from;
    const char* to;
    Spacing spacing;
    const char* by;
    std::string message;
  } cases[] = {
      {"4,5", "10", Spacing::step, "1", "From: \"4,5" + point},
      {"1", "", Spacing::step, "1", "To: \"" + point},
      {"1", "5", Spacing::step, "nan", "By: \"nan" + point},
      {"1", "1e999", Spacing::step, "1", "To is out of range"},
      {"50", "50", Spacing::step, "1",
       "From and To are equal: the range holds no values to vary over"},
      {"50", " 5e1", Spacing::points, "5",
       "From and To are equal: the range holds no values to vary over"},
      {"40", "60", Spacing::step, "0", "By must lie above 0"},
      {"40", "60", Spacing::step, "-5", "By must lie above 0"},
      {"40", "60", Spacing::points, "1", "By must be a whole number of at least 2"},
      {"40", "60", Spacing::points, "2.5", "By must be a whole number of at least 2"},
      {"40", "60", Spacing::points, "1001", "By must be at most 1000"},
      {"40", "60", Spacing::points, "1e300", "By must be at most 1000"},
      {"0", "1000", Spacing::step, "1",
       "The range holds more than 1000 values: please choose a larger By"},
      {"40", "60", Spacing::step, "1e-300",
       "The range holds more than 1000 values: please choose a larger By"},
      {"-1e308", "1e308", Spacing::step, "1e300",
       "From and To lie too far apart to divide the range between them"},
      {"-1e308", "1e308", Spacing::points, "3",
       "From and To lie too far apart to divide the range between them"},
  };
  for (const auto& c : cases) {
    const auto values =
        cycle::StudyValues({{"From", c.from}, {"To", c.to}, c.spacing, {"By", c.by}});
    const auto* message = std::get_if<std::string>(&values);
    ASSERT_NE(message, nullptr) << c.from << " to " << c.to << " by " << c.by;
    EXPECT_EQ(*message, c.message);
  }
}

TEST(Study, AStudyNeedsOneToEightRefrigerantsAndAnInputOfItsCalculation) {
  const std::vector<double> values{40, 50};
  const auto refusal = [&](StudyCalculation calculation, std::vector<std::string> names,
                           std::string variable) {
    return cycle::StudyRefusal(
               {std::move(calculation), std::move(names), std::move(variable), values})
        .value_or("(runs)");
  };
  const std::vector<std::string> nine(9, "R134a");
  EXPECT_EQ(refusal(Layout(cycle::Layout::ihx), {}, "condensing"),
            "Please choose one to eight refrigerants");
  EXPECT_EQ(refusal(Layout(cycle::Layout::ihx), nine, "condensing"),
            "Please choose one to eight refrigerants");
  EXPECT_EQ(refusal(TranscriticalInput{}, {"R744"}, "condensing"),
            "Transcritical cycle: no input \"condensing\" to vary");
  // A layout's own inputs only for the layouts that use them.
  EXPECT_EQ(refusal(Layout(cycle::Layout::ihx), {"R134a"}, "intermediate"),
            "Internal heat exchanger: no input \"intermediate\" to vary");
  EXPECT_EQ(refusal(Layout(cycle::Layout::flash_tank), {"R134a"}, "approach"),
            "Flash tank with vapour injection: no input \"approach\" to vary");
  EXPECT_EQ(refusal(Layout(cycle::Layout::flash_tank), {"R134a"}, "intermediate"), "(runs)");
  EXPECT_EQ(refusal(Layout(cycle::Layout::basic), {"R134a"}, "ihx-effectiveness"),
            "Basic cycle: no input \"ihx-effectiveness\" to vary");
  EXPECT_EQ(refusal(TranscriticalInput{}, {"R744"}, "high-pressure"), "(runs)");
}

// A stop leaves out the points not begun; those computed keep their order.
TEST(Study, AStopEndsTheStudyWithThePointsDone) {
  const Study study{Layout(cycle::Layout::ihx),
                    {"R134a", "R290"},
                    "condensing",
                    Values("60", "90", Spacing::step, "1")};
  std::atomic<int> done{0};
  const auto points = cycle::RunStudy(study, {.workers = 2,
                                              .stop_requested = [&] { return done >= 5; },
                                              .done = [&](std::size_t) { ++done; }});
  ASSERT_GE(points.size(), 5u);
  EXPECT_LT(points.size(), study.PointCount());
  for (std::size_t i = 1; i < points.size(); ++i) {
    EXPECT_TRUE(points[i - 1].refrigerant < points[i].refrigerant ||
                (points[i - 1].refrigerant == points[i].refrigerant &&
                 points[i - 1].value < points[i].value));
  }
}

}  // namespace
