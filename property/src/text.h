// Small text helpers shared by the units of the property layer.
#pragma once

#include <string>
#include <string_view>

#include "property/message_text.h"

namespace property {

std::string_view TrimBlanks(std::string_view text);
std::string UpperCase(std::string_view text);

}  // namespace property
