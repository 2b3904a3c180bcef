// Runs the built hpcalc as a user runs it, for the tests of its commands:
// its exit code and what it printed on each stream.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace hpcalc_test {

struct Run {
  int exit_code;
  std::string out;
  std::string err;
};

inline std::string Quoted(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

inline Run RunProgram(const std::string& program, const std::vector<std::string>& args) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("hpcalc_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string command = Quoted(program);
  for (const auto& arg : args) command.append(" ").append(Quoted(arg));
  command.append(" >").append(Quoted(dir / "out")).append(" 2>").append(Quoted(dir / "err"));
  const int status = std::system(command.c_str());
  Run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir / "out"), Slurp(dir / "err")};
  std::filesystem::remove_all(dir);
  return run;
}

inline Run Hpcalc(const std::vector<std::string>& args) { return RunProgram(HPCALC_PATH, args); }

// The fields of a CSV line, quoted fields unquoted.
inline std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

inline std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) rows.push_back(CsvFields(line));
  return rows;
}

}  // namespace hpcalc_test
