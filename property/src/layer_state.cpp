#include "property/layer_state.h"

namespace property {

LayerState& Layer() {
  thread_local LayerState layer;
  return layer;
}

}  // namespace property
