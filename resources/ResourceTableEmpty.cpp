// Placeholder until the artwork is generated: no resource is embedded yet.
#include "resources/ResourceLookup.h"

namespace velunor {
ResourceBlob findResource(int /*id*/) noexcept { return {}; }
}  // namespace velunor
