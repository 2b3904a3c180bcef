// What poppler's pdftotext reads from a PDF, with the given options
// ("-raw", "-layout", "-bbox"), as one text.
#pragma once

#include <QString>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace report {

inline std::string Pdftotext(const QString& file, std::string_view options) {
  const std::string command =
      std::string(PDFTOTEXT) + " " + std::string(options) + " '" + file.toStdString() + "' -";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  char buffer[4096];
  while (pipe && fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  return text;
}

}  // namespace report
