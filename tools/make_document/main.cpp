// make_document: writes the working-fluid selection document from the fluid
// files, with every figure asked of the property library through the
// program's own property layer.
//
//   make_document --data DIR --output FILE [--library FILE]
//
// DIR holds fluids/ and mixtures/ (the build's bin folder). The library is
// libfluidcore.so beside this program unless --library names another.
// A fluid whose figures cannot be computed shows dashes and is listed on
// stderr; a library that cannot be loaded, or no fluid at all, fails with
// exit code 1.
#include <QBuffer>
#include <QGuiApplication>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "catalogue/fluid_facts.h"
#include "document_html.h"
#include "files/whole_file.h"
#include "pdf_pages.h"

namespace {

constexpr const char* kTitle = "Selection of the working fluid";

struct Options {
  std::filesystem::path data;
  std::filesystem::path output;
  std::optional<std::string> library;
};

std::optional<Options> ReadOptions(int argc, char* argv[]) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    const std::string value = argv[i + 1];
    if (key == "--data") {
      options.data = value;
    } else if (key == "--output") {
      options.output = value;
    } else if (key == "--library") {
      options.library = value;
    } else {
      return std::nullopt;
    }
  }
  if (argc % 2 == 0 || options.data.empty() || options.output.empty()) return std::nullopt;
  return options;
}

int Fail(const std::string& message) {
  std::cerr << "make_document: " << message << '\n';
  return 1;
}

// The figures that could not be computed, one line per fluid and reason.
int ReportMissing(const std::string& name, const document::Figures& figures) {
  const auto& missing = figures.failures;
  for (auto from = missing.begin(); from != missing.end();) {
    const auto to = std::find_if(from, missing.end(), [&](const document::MissingFigure& m) {
      return m.reason != from->reason;
    });
    std::cerr << "make_document: " << name << ": no ";
    for (auto it = from; it != to; ++it) std::cerr << (it == from ? "" : ", ") << it->figure;
    std::cerr << " (" << from->reason << ")\n";
    from = to;
  }
  return missing.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto options = ReadOptions(argc, argv);
  if (!options) {
    std::cerr << "Usage: make_document --data DIR --output FILE [--library FILE]\n";
    return 2;
  }
  // Relative names of fluid and mixture files resolve against the data folder,
  // in the property layer as here. Absolute output, before the folder changes.
  const auto output = std::filesystem::absolute(options->output);
  std::error_code error;
  std::filesystem::current_path(options->data, error);
  if (error)
    return Fail("cannot use the data folder " + options->data.string() + ": " + error.message());

  if (const auto fault = document::LibraryFault(options->library)) return Fail(*fault);

  const auto files = catalogue::ReadFluidFiles("fluids");
  for (const auto& skipped : files.skipped)
    std::cerr << "make_document: skipped " << skipped << '\n';
  if (files.fluids.empty()) return Fail("no fluid files in " + (options->data / "fluids").string());
  const auto mixtures = catalogue::ListMixtureFiles("mixtures");
  std::vector<catalogue::MixingPair> mixing_pairs;
  try {
    mixing_pairs = catalogue::ReadMixingPairs("fluids/hmx.bnc");
  } catch (const std::exception& failure) {
    std::cerr << "make_document: no binary pairs listed: " << failure.what() << '\n';
  }

  const auto catalogue = document::BuildCatalogue(files.fluids, mixtures, mixing_pairs);
  int incomplete = 0;
  int with_critical_point = 0;
  for (const auto& fluid : catalogue.fluids) {
    incomplete += ReportMissing(fluid.facts.file_stem, fluid.figures);
    with_critical_point += fluid.figures.critical_temperature.has_value() ? 1 : 0;
  }
  for (const auto& blend : catalogue.blends) incomplete += ReportMissing(blend.name, blend.figures);
  if (with_critical_point == 0)
    return Fail("the property library gave no critical point for any fluid");

  // Qt only now: it sets the C library's locale from the environment.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  std::filesystem::create_directories(output.parent_path(), error);
  // Laid out in memory and written whole, so that a failed run never leaves
  // a half-written document that looks up to date.
  QByteArray pdf;
  QBuffer memory(&pdf);
  memory.open(QIODevice::WriteOnly);
  const int pages = document::WritePdf(QString::fromStdString(document::DocumentHtml(catalogue)),
                                       QString::fromLatin1(kTitle), memory);
  if (pages == 0) return Fail("cannot lay out " + output.string());
  if (const auto failure = files::WriteWholeFile(
          output, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())))) {
    return Fail(*failure);
  }
  std::cout << "make_document: " << output.string() << ": " << pages << " pages, "
            << catalogue.fluids.size() << " fluids, " << catalogue.blends.size() << " blends";
  if (incomplete > 0) std::cout << ", " << incomplete << " with figures missing (see above)";
  std::cout << '\n';
  return 0;
}
