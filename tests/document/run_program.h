// Runs a program of the build or a poppler tool and collects what it wrote.
#pragma once

#include <string>
#include <vector>

namespace document_test {

struct ProgramRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

ProgramRun RunProgram(const std::vector<std::string>& arguments);

// The folder of this test program: the build's bin folder.
std::string ProgramFolder();

}  // namespace document_test
