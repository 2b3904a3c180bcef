// Whether the message of a failed property request ends with the property
// library's own text: the engineer's message alone on the forms, both on the
// command line when asked for (--verbose).
#pragma once

namespace cycle {

enum class LibraryText { omitted, appended };

}  // namespace cycle
