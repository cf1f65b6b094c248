// The process's one host callback table.
#include "app/host_callbacks.h"

namespace zintu {

HostCallbacks host_callbacks;

} // namespace zintu
