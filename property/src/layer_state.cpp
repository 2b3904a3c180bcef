#include "property/layer_state.h"

namespace property {

LayerState& Layer() {
  static LayerState layer;
  return layer;
}

}  // namespace property
