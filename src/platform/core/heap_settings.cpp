#include "platform/core/heap_settings.h"

#include <malloc.h>

namespace platform {

void ReturnLargeBlocksToTheSystem() { mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargeBlockBytes)); }

}  // namespace platform
