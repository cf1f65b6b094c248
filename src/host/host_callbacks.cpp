// The process's one host callback table.
#include "host/host_callbacks.h"

namespace zintu {

HostCallbacks host_callbacks;

} // namespace zintu
