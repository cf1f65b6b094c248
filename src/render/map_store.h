// What a host offers the map layer for keeping the network's picture between
// frames: a drawable of the view's size and pixel format (a pbuffer), current
// with the same context, between which and the view glCopyPixels copies the
// picture byte for byte.
#pragma once

#include <functional>

namespace zintu {

// `select` makes the context draw into the store (draw_store) or the view,
// and read from the store (read_store) or the view. It returns false when it
// cannot, having made the view both. Empty: the host offers no store.
struct MapStore {
    std::function<bool(bool draw_store, bool read_store)> select;
};

} // namespace zintu
