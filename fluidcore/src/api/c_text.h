// Fixed-width text buffers of the C entry points.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fluidcore::c_text {

// The caller's text: at most `width` bytes, up to the first NUL, without
// leading and trailing blanks. A null buffer or a width below 1 reads as "".
std::string read(const char* buffer, int width);

// `text` copied into the buffer, cut to `width` and padded with blanks to
// exactly `width` bytes (no terminating NUL, as fixed-width callers expect).
void write(char* buffer, int width, std::string_view text);

// A name the caller gave, as a message shows it: one longer than 80
// characters keeps its start and end around "...", so that the reason that
// follows it in the message still fits the caller's buffer.
std::string shortened(std::string_view name);

// The file names of a fluid file list "a.fld|b.fld|": separated by "|",
// blanks around each dropped, empty entries skipped.
std::vector<std::string> split_list(std::string_view list);

}  // namespace fluidcore::c_text
