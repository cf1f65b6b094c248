// What a host offers the map layer for keeping the network's picture between
// frames: a drawable of the view's size and pixel format (a pbuffer), current
// with the same context, between which and the view glCopyPixels copies the
// picture byte for byte.
#pragma once

#include <functional>

namespace zintu {

struct MapStore {
    // Makes the context draw into the store (draw_store) or the view, and
    // read from the store (read_store) or the view; false when it cannot,
    // having made the view both. The map layer switches only while it takes
    // its copy and then leaves the view drawn and the store read, so a frame
    // switches nothing. Empty: the host offers no store.
    std::function<bool(bool draw_store, bool read_store)> select;
    // Optional: true once the store's contents are gone (a pbuffer after a
    // display mode change); asked before every restore.
    std::function<bool()> lost;
};

} // namespace zintu
