// The labels of the charts: placed as boxes that overlap neither each other
// nor the axes, nor the lines of the dome and the cycle; left out where no
// place is clear; the diagrams titled with their refrigerants and
// conditions; an exported SVG clipped to the axes.
#include <QFile>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/transcritical.h"
#include "plots/bar_chart.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/gas_cooler_chart.h"
#include "plots/label_placement.h"
#include "plots/plot_file.h"

namespace {

using plots::LabelRequest;
using plots::LabelSpot;

constexpr Qt::Alignment kAboveRight = Qt::AlignLeft | Qt::AlignBottom;
constexpr Qt::Alignment kBelowLeft = Qt::AlignRight | Qt::AlignTop;

TEST(PlaceLabels, EachAtItsFirstClearSpotOrLeftOut) {
  const QRectF area(0, 0, 100, 100);
  const QSizeF size(20, 10);
  const struct Case {
    const char* what;
    std::vector<LabelRequest> labels;
    plots::LabelObstacles obstacles;
    std::vector<std::optional<std::size_t>> spots;  // chosen, or left out
  } cases[] = {
      {"its first spot", {{size, {{{50, 50}, kAboveRight}}}}, {}, {0}},
      {"the second label gives way",
       {{size, {{{50, 50}, kAboveRight}}},
        {size, {{{50, 50}, kAboveRight}, {{50, 50}, kBelowLeft}}}},
       {},
       {0, 1}},
      {"no second place: left out",
       {{size, {{{50, 50}, kAboveRight}}}, {size, {{{55, 55}, kAboveRight}}}},
       {},
       {0, std::nullopt}},
      {"inside the area only",
       {{size, {{{95, 50}, kAboveRight}, {{95, 50}, kBelowLeft}}}},
       {},
       {1}},
      {"clear of a line through the first spot",
       {{size, {{{50, 50}, kAboveRight}, {{50, 50}, kBelowLeft}}}},
       {{}, {{{40, 45}, {90, 45}}}},
       {1}},
      {"a line ending at the anchor does not count",
       {{size, {{{50, 50}, kAboveRight}}}},
       {{}, {{{50, 50}, {10, 90}}, {{50, 50}}}},
       {0}},
      {"clear of a box",
       {{size, {{{50, 50}, kAboveRight}, {{50, 50}, kBelowLeft}}}},
       {{{60, 38, 5, 5}}, {}},
       {1}},
      // Every spot beside the point blocked, and all but one of the box's
      // corners two steps off: three steps up and right, away from it.
      {"further off",
       {{size, plots::SpotsNear({50, 50}, kAboveRight, 10, 3)}},
       {{{20, 25, 60, 50}}, {}},
       {8 * 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto placed = plots::PlaceLabels(c.labels, area, c.obstacles);
    ASSERT_EQ(placed.size(), c.spots.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
      ASSERT_EQ(placed[i].has_value(), c.spots[i].has_value()) << "label " << i;
      if (!placed[i]) continue;
      EXPECT_EQ(placed[i]->spot, *c.spots[i]) << "label " << i;
      EXPECT_EQ(placed[i]->box, plots::LabelBox(c.labels[i].spots[*c.spots[i]], size));
      EXPECT_TRUE(area.contains(placed[i]->box));
      for (std::size_t j = 0; j < i; ++j) {
        if (placed[j]) {
          EXPECT_FALSE(placed[i]->box.intersects(placed[j]->box));
        }
      }
    }
  }
}

TEST(PlaceLabels, ALineCrossesABoxWhereItPassesThrough) {
  const QRectF box(10, 10, 20, 10);
  const struct {
    QPointF a, b;
    bool crosses;
  } cases[] = {
      {{0, 15}, {40, 15}, true},   // across
      {{20, 0}, {20, 30}, true},   // down through
      {{15, 12}, {16, 13}, true},  // wholly inside
      {{0, 0}, {40, 5}, false},    // above
      {{0, 0}, {9, 30}, false},    // beside
      {{0, 40}, {40, 0}, true},    // a diagonal through a corner's side
      {{0, 25}, {25, 0}, true},    // cutting the top-left corner
      {{0, 15}, {5, 15}, false},   // short of it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(plots::Crosses(box, c.a, c.b), c.crosses)
        << c.a.x() << "," << c.a.y() << " to " << c.b.x() << "," << c.b.y();
  }
}

// ---- The labels of real charts ----

const cycle::BasicCycleInput kBasic{"R22", 1, 50, 3.5, 4, 90, 100, 80};

cycle::CycleDiagram Diagram(const std::variant<cycle::CycleDiagram, std::string>& outcome) {
  if (const auto* message = std::get_if<std::string>(&outcome)) {
    ADD_FAILURE() << *message;
    return {};
  }
  return std::get<cycle::CycleDiagram>(outcome);
}

cycle::TranscriticalInput Transcritical() {
  cycle::TranscriticalInput input;
  input.WaterOut = "60";
  return input;
}

std::vector<cycle::CycleDiagram> EightOverlaid(cycle::DiagramKind kind) {
  const cycle::ComparisonConditions conditions{10, 20, 3.5, 4, 60, 100, 80};
  std::vector<cycle::CycleDiagram> diagrams;
  for (const char* name : {"R134a", "R407C", "R717", "R290", "R1234ze(E)", "R32", "R410A", "R600a"})
    diagrams.push_back(Diagram(cycle::ComparisonDiagram(name, conditions, kind)));
  return diagrams;
}

cycle::CycleDiagram Economizer() {
  cycle::LayoutInput input;
  input.Evaporating = "10";
  const cycle::LayoutOutcome outcome = cycle::CalcLayout(cycle::Layout::economizer, input);
  EXPECT_NE(outcome.result(), nullptr);
  return Diagram(cycle::LayoutDiagram(*outcome.result(), cycle::DiagramKind::PressureEnthalpy));
}

// The lines every label keeps clear of: all but the grey isolines and the
// picture's marks, in pixels.
std::vector<std::vector<QPointF>> StrongLines(QCustomPlot& plot) {
  std::vector<std::vector<QPointF>> lines;
  for (int i = 0; i < plot.plottableCount(); ++i) {
    auto* curve = qobject_cast<QCPCurve*>(plot.plottable(i));
    if (curve == nullptr || curve->lineStyle() == QCPCurve::lsNone ||
        curve->pen().style() == Qt::DashDotLine) {
      continue;
    }
    std::vector<QPointF> line;
    for (auto point = curve->data()->constBegin(); point != curve->data()->constEnd(); ++point) {
      line.emplace_back(plot.xAxis->coordToPixel(point->key),
                        plot.yAxis->coordToPixel(point->value));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void ExpectReadable(QCustomPlot& plot, const std::vector<QRectF>& boxes) {
  const QRectF axes = plot.axisRect()->rect();
  const auto lines = StrongLines(plot);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_TRUE(axes.contains(boxes[i])) << "label " << i << " leaves the axes";
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(boxes[i].intersects(boxes[j])) << "labels " << j << " and " << i;
    }
    const QRectF inner = boxes[i].adjusted(1, 1, -1, -1);
    for (const auto& line : lines) {
      for (std::size_t k = 1; k < line.size(); ++k) {
        ASSERT_FALSE(plots::Crosses(inner, line[k - 1], line[k])) << "label " << i << " on a line";
      }
    }
  }
}

// The texts of the plot's labels that are shown.
QStringList ShownTexts(QCustomPlot& plot) {
  QStringList texts;
  for (int i = 0; i < plot.itemCount(); ++i) {
    auto* text = qobject_cast<QCPItemText*>(plot.item(i));
    if (text != nullptr && text->visible()) texts << text->text();
  }
  return texts;
}

TEST(ChartLabels, NoLabelOverlapsAnotherTheAxesOrALineAtAnySize) {
  using cycle::DiagramKind;
  const struct Case {
    const char* what;
    plots::DiagramLook look;
    std::vector<cycle::CycleDiagram> diagrams;
    std::vector<QString> title;  // in the title, each
    QStringList always_shown;    // at the larger size
  } cases[] = {
      {"basic p-h",
       plots::DiagramLook::Chart,
       {Diagram(cycle::BasicCycleDiagram(kBasic, DiagramKind::PressureEnthalpy))},
       {"R22\n", "hot water 50 \u00b0C (evaporating 45 \u00b0C)", "condensing 90 \u00b0C",
        "isentropic efficiency 80 %"},
       {"1", "2s", "2", "3", "4", "75 \u00b0C"}},
      {"basic T-s",
       plots::DiagramLook::Chart,
       {Diagram(cycle::BasicCycleDiagram(kBasic, DiagramKind::TemperatureEntropy))},
       {"R22\n", "subcooling 3.5 K"},
       {"1", "2s", "2", "3", "4", "17.29 bar", "44.42 bar"}},
      {"a blend",
       plots::DiagramLook::Chart,
       {Diagram(cycle::BasicCycleDiagram({"R407C", 1, 40, 3.5, 4, 60, 100, 75},
                                         DiagramKind::PressureEnthalpy))},
       {"R407C\n", "condensing 60 \u00b0C"},
       {"1", "2", "3", "4"}},
      {"transcritical p-h",
       plots::DiagramLook::Chart,
       {Diagram(cycle::TranscriticalCycleDiagram(Transcritical(), DiagramKind::PressureEnthalpy))},
       {"R744\n", "(optimal)", "water 15 to 60 \u00b0C", "minimum approach 5 K"},
       {"1", "2", "3", "4"}},
      {"transcritical T-s",
       plots::DiagramLook::Chart,
       {Diagram(
           cycle::TranscriticalCycleDiagram(Transcritical(), DiagramKind::TemperatureEntropy))},
       {"R744\n"},
       {"1", "2", "3", "4"}},
      {"eight overlaid",
       plots::DiagramLook::Chart,
       EightOverlaid(DiagramKind::PressureEnthalpy),
       {"R134a, R407C, R717, R290, R1234ze(E), R32, R410A, R600a\n", "evaporating 20 \u00b0C"},
       {}},
      {"an economizer",
       plots::DiagramLook::Chart,
       {Economizer()},
       {"R134a\n", "Economizer with vapour injection", "intermediate "},
       {"1'", "2", "4", "7"}},
      {"the picture",
       plots::DiagramLook::Picture,
       {Diagram(cycle::BasicCycleDiagram(kBasic, DiagramKind::PressureEnthalpy))},
       {"R22\n"},
       {"1", "2'", "2", "3", "4", "Pc", "Pe", "Subcooling", "Superheat", "Isentropic efficiency"}},
  };
  for (const Case& c : cases) {
    for (const QSize size : {QSize(1000, 700), QSize(520, 380)}) {
      SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(size.width()));
      plots::CycleDiagramPlot plot(c.look);
      plot.Draw(c.diagrams);
      plot.toPixmap(size.width(), size.height());  // laid out at that size
      ExpectReadable(plot, plot.LabelBoxes());
      EXPECT_EQ(int(plot.LabelBoxes().size()), ShownTexts(plot).size());
      for (const QString& piece : c.title) {
        EXPECT_TRUE(plot.Title().contains(piece))
            << plot.Title().toStdString() << " | " << piece.toStdString();
      }
      // Every line of the title within the width: the first, the heading's,
      // in its bold type.
      const QStringList lines = plot.Title().split('\n');
      for (const QString& line : lines) {
        const QFont font(plot.font().family(), line == lines.front() ? 9 : 8,
                         line == lines.front() ? QFont::Bold : QFont::Normal);
        EXPECT_LE(QFontMetricsF(font).horizontalAdvance(line), size.width()) << line.toStdString();
      }
      if (size.width() < 1000) continue;
      const QStringList shown = ShownTexts(plot);
      for (const QString& text : c.always_shown) {
        EXPECT_TRUE(shown.contains(text))
            << text.toStdString() << " in " << shown.join(" | ").toStdString();
      }
    }
  }
}

// A gas cooler whose pinch lies at the bottom of the chart, under the
// legend's corner, or in the middle: its label stays inside, clear of the
// profiles and the legend.
TEST(ChartLabels, ThePinchIsNamedClearOfTheProfilesAndTheLegend) {
  for (const double pinch_at : {0.0, 0.5, 1.0}) {
    SCOPED_TRACE(pinch_at);
    cycle::TranscriticalResult result;
    result.refrigerant = "R744";
    result.high_pressure = 90;
    result.heating_capacity = 10;
    for (int i = 0; i <= 10; ++i)
      result.gas_cooler.push_back({i * 1.0, 100 - 7.0 * i, 98 - 8.8 * i});
    result.pinch = 2;
    result.pinch_at = pinch_at;
    plots::GasCoolerChart chart;
    chart.Draw(result);
    for (const QSize size : {QSize(700, 400), QSize(420, 260)}) {
      chart.toPixmap(size.width(), size.height());
      ASSERT_EQ(chart.LabelBoxes().size(), 1u) << "the pinch is named";
      ExpectReadable(chart, chart.LabelBoxes());
      EXPECT_FALSE(chart.LabelBoxes().front().intersects(chart.legend->outerRect()));
      EXPECT_TRUE(chart.Title().startsWith("Gas cooler of R744\n90.00 bar,"))
          << chart.Title().toStdString();
    }
  }
}

TEST(ChartLabels, BarValuesAndNamesKeepApartAtAnyWidth) {
  const QStringList names{"R134a", "R407C", "R717", "R290", "R1234ze(E)", "R32", "R410A", "R600a"};
  const std::vector<double> values{5.65, 4.86, 5.95, 5.52, 5.67, 5.29, 5.02, 18.27};
  for (const int width : {300, 600, 1200}) {
    SCOPED_TRACE(width);
    plots::BarChart chart;
    chart.Draw(names, values, "COP (-)", 2);
    chart.toPixmap(width, 300);
    const std::vector<QRectF> values_at = chart.ValueBoxes(), names_at = chart.NameBoxes();
    ASSERT_EQ(values_at.size(), 8u);
    ASSERT_EQ(names_at.size(), 8u);
    const QRectF axes = chart.axisRect()->rect();
    for (std::size_t i = 0; i < 8; ++i) {
      EXPECT_TRUE(axes.contains(values_at[i])) << i;
      EXPECT_LE(values_at[i].bottom(), chart.yAxis->coordToPixel(values[i]) + 0.5)
          << "above its bar";
      for (std::size_t j = 0; j < i; ++j) {
        EXPECT_FALSE(values_at[i].intersects(values_at[j])) << j << " " << i;
        EXPECT_FALSE(names_at[i].intersects(names_at[j])) << j << " " << i;
      }
    }
  }
}

// ---- The SVG clipped to the axes ----

struct SvgLine {
  QString stroke;
  std::vector<QPointF> points;
  bool clipped;  // inside a group clipped to the axes
};

struct Svg {
  std::optional<QRectF> clip;
  std::vector<SvgLine> lines;
  QStringList unclipped_texts;
};

std::vector<QPointF> Points(const QString& text) {
  std::vector<QPointF> points;
  QString numbers = text;
  numbers.replace(QRegularExpression("[A-Za-z]"), " ").replace(',', ' ');
  const QStringList values = numbers.split(' ', Qt::SkipEmptyParts);
  for (int i = 0; i + 1 < values.size(); i += 2)
    points.emplace_back(values[i].toDouble(), values[i + 1].toDouble());
  return points;
}

// Polylines and paths with their stroke (inherited from their groups) and
// whether a group around them is clipped.
Svg ReadSvg(const QString& file) {
  QFile in(file);
  EXPECT_TRUE(in.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&in);
  Svg svg;
  std::vector<std::pair<QString, bool>> groups{{"", false}};  // stroke, clipped
  bool in_clip_path = false;
  while (!xml.atEnd()) {
    xml.readNext();
    const auto attributes = xml.attributes();
    if (xml.isStartElement() && xml.name() == QLatin1String("clipPath")) in_clip_path = true;
    if (xml.isEndElement() && xml.name() == QLatin1String("clipPath")) in_clip_path = false;
    if (xml.isStartElement() && xml.name() == QLatin1String("rect") && in_clip_path) {
      svg.clip =
          QRectF(attributes.value("x").toDouble(), attributes.value("y").toDouble(),
                 attributes.value("width").toDouble(), attributes.value("height").toDouble());
    }
    if (xml.isStartElement() && xml.name() == QLatin1String("g")) {
      const QString stroke = attributes.hasAttribute("stroke")
                                 ? attributes.value("stroke").toString()
                                 : groups.back().first;
      groups.emplace_back(stroke, groups.back().second || attributes.hasAttribute("clip-path"));
    }
    if (xml.isEndElement() && xml.name() == QLatin1String("g")) groups.pop_back();
    if (xml.isStartElement() &&
        (xml.name() == QLatin1String("polyline") || xml.name() == QLatin1String("path"))) {
      const QString points = xml.name() == QLatin1String("path")
                                 ? attributes.value("d").toString()
                                 : attributes.value("points").toString();
      svg.lines.push_back({groups.back().first, Points(points), groups.back().second});
    }
    if (xml.isStartElement() && xml.name() == QLatin1String("text") && !groups.back().second) {
      svg.unclipped_texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return svg;
}

// Zoomed into the dome's top, most lines leave the axes: those drawn in the
// dome's colours are drawn inside the group clipped to the axes, or lie
// wholly outside the axes (the legend's samples).
TEST(SvgExport, WhatLeavesTheAxesIsClippedToThem) {
  plots::CycleDiagramPlot plot(plots::DiagramLook::Chart);
  const cycle::CycleDiagram diagram =
      Diagram(cycle::BasicCycleDiagram(kBasic, cycle::DiagramKind::PressureEnthalpy));
  plot.Draw({&diagram, 1});
  plot.xAxis->setRange(300, 380);
  plot.yAxis->setRange(30, 55);
  QTemporaryDir dir;
  const QString file = dir.filePath("zoomed.svg");
  ASSERT_EQ(plots::WritePlot(plot, file), std::nullopt);
  const Svg svg = ReadSvg(file);
  ASSERT_TRUE(svg.clip.has_value()) << "a clip path";
  plot.toPixmap(plots::kPlotFileSize.width(), plots::kPlotFileSize.height());
  EXPECT_EQ(svg.clip->toRect(), plot.axisRect()->rect().translated(0, -1))
      << "the axes as the file lays them out, clipped as on screen";
  int clipped = 0, outside_clip = 0;
  for (const SvgLine& line : svg.lines) {
    if (line.stroke != "#1f4e9c" && line.stroke != "#b03a2e") continue;  // the bubble and dew lines
    if (line.clipped) {
      ++clipped;
      for (const QPointF& p : line.points)
        outside_clip += svg.clip->adjusted(-1, -1, 1, 1).contains(p) ? 0 : 1;
      continue;
    }
    for (const QPointF& p : line.points)
      EXPECT_FALSE(svg.clip->contains(p)) << "unclipped inside the axes";
  }
  EXPECT_GE(clipped, 2) << "both lines of the dome";
  // The axes, the legend and the title are drawn whole, outside the clip.
  for (const char* text : {"h (kJ/kg)", "p (bar)", "Bubble line", "R22", "340"}) {
    EXPECT_TRUE(svg.unclipped_texts.contains(text))
        << text << " in " << svg.unclipped_texts.join(" | ").toStdString();
  }
  EXPECT_GT(outside_clip, 0) << "the zoom leaves parts of them outside, which the clip hides";
}

}  // namespace
