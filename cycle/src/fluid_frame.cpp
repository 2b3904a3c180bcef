#include "fluid_frame.h"

#include "property/message_text.h"
#include "property_requests.h"

namespace cycle::detail {

FluidFrame FrameOf(const std::string& fluid) {
  return {
      NumberOf(property::LowerTemperatureLimit(fluid, "mks"), fluid,
               {"lower temperature limit", "refrigerant's equation"}),
      NumberOf(property::CriticalPoint(fluid, "T", "mks"), fluid,
               {"temperature", "critical point"}),
      NumberOf(property::CriticalPoint(fluid, "P", "mks"), fluid, {"pressure", "critical point"})};
}

std::optional<std::string> UnknownRefrigerant(
    const std::string& fluid, const property::PropertyResult& critical_temperature) {
  const auto* text = std::get_if<std::string>(&critical_temperature);
  if (text == nullptr) return std::nullopt;
  return LibraryReason(*text, fluid).value_or("Unknown refrigerant " + property::ShortenedForMessage(fluid));
}

}  // namespace cycle::detail
