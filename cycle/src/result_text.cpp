#include "cycle/result_text.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "cycle/number_text.h"

namespace cycle {

namespace {

// The pieces that follow the name on a line: label, "= ", the figure, unit.
struct Piece {
  Figure figure;
  std::string_view label;
  std::string_view unit;
  int decimals;
  double scale;  // shown value = figure x scale
};

// The single-figure pages, by figure.
constexpr std::array<Piece, 7> kSinglePages{{
    {Figure::COP, " COP ", " (-) ", 2, 1},
    {Figure::MassPerHeat, " Mass flow rate per unit heat output ", " (10^-3 kg/kJ) ", 2, 1000},
    {Figure::VaporVolume, " Vapor volume ", " (10^-3 m3/kg) ", 2, 1000},
    {Figure::DisplacementVolume, " Displacement volume ", " (m3/h) ", 2, 1},
    {Figure::DischargePressure, " Discharge  Pressure ", " (Bar) ", 2, 1},
    {Figure::DischargeTemperature, " Discharge Temperature ", " ('C) ", 2, 1},
    {Figure::PressureRatio, " Compression Ratio ", " (-) ", 2, 1},
}};

// The total page, in its column order.
constexpr std::array<Piece, 7> kTotalColumns{{
    {Figure::MassPerHeat, " Mass flow ", " (kg/kJ) ", 5, 1},
    {Figure::VaporVolume, " Vapor volume ", " (m3/kg) ", 4, 1},
    {Figure::DisplacementVolume, " Displacement volume ", " (m3/h) ", 2, 1},
    {Figure::DischargePressure, " Discharge pressure ", " (bar) ", 2, 1},
    {Figure::DischargeTemperature, " Discharge temperature ", " ('C) ", 2, 1},
    {Figure::PressureRatio, " Compression ratio ", " (-) ", 2, 1},
    {Figure::COP, " COP ", " (-) ", 2, 1},
}};

const Piece& PieceOf(const std::array<Piece, 7>& pieces, Figure figure) {
  return *std::find_if(pieces.begin(), pieces.end(),
                       [figure](const Piece& piece) { return piece.figure == figure; });
}

std::string PieceText(const Piece& piece, const CycleFigures& figures) {
  std::string text(piece.label);
  text += "= ";
  text += FormatPattern(FigureValue(figures, piece.figure) * piece.scale, piece.decimals);
  text += piece.unit;
  return text;
}

std::string LineStart(std::string_view name) { return std::string(name) + " --- "; }

using LinePieces = std::function<std::vector<std::string>(std::string_view, const CycleFigures&)>;

// The pieces of the lines of slots 1 to RefCount.
std::vector<std::vector<std::string>> PageLines(const ComparisonResults& results,
                                                const LinePieces& line) {
  const int count = std::clamp<int>(results.RefCount, 0, kMaxRefrigerants);
  std::vector<std::vector<std::string>> lines;
  for (int slot = 0; slot < count; ++slot) {
    lines.push_back(line(results.RefName[static_cast<std::size_t>(slot)], FiguresAt(results, slot)));
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& pieces) {
  std::string text;
  for (const std::string& piece : pieces) text += piece;
  return text;
}

// The lines, each after a carriage return and line feed.
std::string PageText(const std::vector<std::vector<std::string>>& lines) {
  std::string text;
  for (const auto& line : lines) text += "\r\n" + Joined(line);
  return text;
}

std::vector<std::string> SinglePieces(Figure page, std::string_view name,
                                      const CycleFigures& figures) {
  return {LineStart(name), PieceText(PieceOf(kSinglePages, page), figures)};
}

std::vector<std::string> TotalPieces(std::string_view name, const CycleFigures& figures) {
  std::vector<std::string> pieces{LineStart(name)};
  for (const Piece& column : kTotalColumns) pieces.push_back(PieceText(column, figures));
  return pieces;
}

}  // namespace

double FigureValue(const CycleFigures& figures, Figure figure) {
  switch (figure) {
    case Figure::COP: return figures.COP;
    case Figure::MassPerHeat: return figures.MassPerHeat;
    case Figure::VaporVolume: return figures.VaporVolume;
    case Figure::DisplacementVolume: return figures.DisplacementVolume;
    case Figure::DischargePressure: return figures.DischargePressure;
    case Figure::DischargeTemperature: return figures.DischargeTemperature;
    case Figure::PressureRatio: return figures.PressureRatio;
  }
  return 0;
}

CycleFigures FiguresAt(const ComparisonResults& results, int slot) {
  const auto k = static_cast<std::size_t>(slot);
  return {results.COP[k],
          results.MassPerHeat[k],
          results.VaporVolume[k],
          results.DisplacementVolume[k],
          results.DischargePressure[k],
          results.DischargeTemperature[k],
          results.PressureRatio[k]};
}

std::string SingleFigureLine(Figure page, std::string_view name, const CycleFigures& figures) {
  return Joined(SinglePieces(page, name, figures));
}

std::string TotalLine(std::string_view name, const CycleFigures& figures) {
  return Joined(TotalPieces(name, figures));
}

int TotalPageDecimals(Figure figure) { return PieceOf(kTotalColumns, figure).decimals; }

std::string TotalPageFigureText(Figure figure, double value) {
  return FormatPattern(value, TotalPageDecimals(figure));
}

std::vector<std::vector<std::string>> ResultPageLines(const ComparisonResults& results,
                                                      Figure page) {
  return PageLines(results, [page](std::string_view name, const CycleFigures& figures) {
    return SinglePieces(page, name, figures);
  });
}

std::vector<std::vector<std::string>> TotalPageLines(const ComparisonResults& results) {
  return PageLines(results, TotalPieces);
}

std::string ResultPageText(const ComparisonResults& results, Figure page) {
  return PageText(ResultPageLines(results, page));
}

std::string TotalPageText(const ComparisonResults& results) {
  return PageText(TotalPageLines(results));
}

}  // namespace cycle
