// Drawing for hpcalc: the pictures of the diagrams and the PDF reports. They
// need Qt, whose libraries take far longer to load than any calculation of
// the command line, so they live in a library of their own,
// libhpcalc_pictures.so beside the program, opened only by a command that
// draws. Everything drawn is computed beforehand: the library asks the
// property library nothing.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/transcritical.h"
#include "report/report_content.h"

namespace hpcalc {

// Each writes its file whole, or leaves the file that was there as it was
// and says why ("Cannot write d.png: ...").
class Pictures {
 public:
  // The diagrams in one picture: PNG, SVG or PDF by the file's extension.
  virtual std::optional<std::string> WriteDiagrams(
      const std::string& file, const std::vector<cycle::CycleDiagram>& diagrams) const = 0;
  // The PDF reports of report/report_file.h, their diagrams given.
  virtual std::optional<std::string> WriteBasicReport(
      const std::string& file, const cycle::BasicCycleInput& input,
      const cycle::BasicCycleResult& result, const report::ReportDiagram& diagram) const = 0;
  virtual std::optional<std::string> WriteComparisonReport(
      const std::string& file, const cycle::ComparisonResults& results,
      const std::vector<report::ReportDiagram>& diagrams) const = 0;
  virtual std::optional<std::string> WriteLayoutReport(
      const std::string& file, const cycle::LayoutInput& input,
      const std::vector<cycle::LayoutOutcome>& outcomes,
      const std::vector<report::ReportDiagram>& diagrams) const = 0;
  virtual std::optional<std::string> WriteTranscriticalReport(
      const std::string& file, const cycle::TranscriticalInput& input,
      const cycle::TranscriticalResult& result, const report::ReportDiagram& diagram) const = 0;

 protected:
  ~Pictures() = default;
};

// The library's one entry point, by this name: its Pictures when it was
// built with the program's version, else null.
inline constexpr char kPicturesEntry[] = "HpcalcPictures";
using PicturesEntry = const Pictures* (*)(const char* version);

// The library beside the running program, opened for the rest of the run
// (Qt's libraries are not made to be unloaded): its Pictures, or why it
// cannot be used.
std::variant<const Pictures*, std::string> LoadPictures();

}  // namespace hpcalc
