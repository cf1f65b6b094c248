// The network layer drawn once per view and restored at the start of every
// frame. Its picture stays the same while the viewport, the zoom and the pan
// do, and on a software renderer re-rasterising its antialiased lines is most
// of a frame; copying the finished picture back is a memory copy.
//
// The copy is taken from the view right after the network has been drawn
// there as the per-frame path draws it, kept in the store drawable the host
// offers, and checked once by restoring it and reading it back. A pixel copy
// between two drawables of one format carries every byte of a pixel, the
// unused fourth byte of an RGB buffer included, which some renderers let
// into later blending; a texture copy would not (its alpha reads as one), so
// none is made. Without a store, or when the check fails, the network is
// drawn every frame. Only the network is cached: the glyphs and the overlay
// are drawn over it every frame.
#pragma once

#include "network/network.h"
#include "render/map_store.h"
#include "render/projection.h"

#include <cstdint>

namespace zintu {

enum class MapCacheMethod : uint8_t {
    Undecided, // nothing tried yet on this context
    Store,     // the copy is kept in the host's store drawable
    Redraw,    // no copy: the network is drawn every frame
};

struct MapCache {
    MapStore store;
    MapCacheMethod method = MapCacheMethod::Undecided;
    // The viewport the projection was set for, at (x, y) of the drawable.
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    // Other viewports share the drawable (one per monitor): this one's
    // picture is copied at its own place in the store, and nothing beyond it
    // is cleared, as that is theirs.
    bool shared = false;
    // The view the copy shows; it is restored only while these still hold.
    bool valid = false;
    float zoom = 0.0f;
    int32_t pan_x = 0;
    int32_t pan_y = 0;
    uint32_t network_list = 0;
    // Largest scissor extent, for clearing what lies outside the viewport.
    int32_t max_extent = 0;
};

// A new context: forgets any copy, takes the host's store for this context
// (empty: none) and notes the viewport's size.
void start_map_cache(MapCache& cache, MapStore store, int32_t width, int32_t height);

// The viewport changed size: the copy is taken anew at the next frame.
void resize_map_cache(MapCache& cache, int32_t width, int32_t height);

// The viewport is `viewport` of the drawable, `shared` with others or its
// only one. A shared viewport's copy is kept at the same place in the store,
// and its frames are drawn with the viewport and a scissor box set to it
// (enter_viewport), so their clears stay inside it.
void place_map_cache(MapCache& cache, const Viewport& viewport, bool shared);

// Forgets the copy, for a host that knows the drawable lost its contents.
void invalidate_map_cache(MapCache& cache);

// The first drawing step of a frame with the same result as draw_map_layer:
// the view shows the network over white, the map transform is pushed (popped
// by end_map_layer after the glyphs) and the texture switch is on. Restores
// the copy, or draws the network and takes the copy when there is none for
// this view. Clears the colour buffer only: nothing uses the depth buffer.
void draw_cached_map_layer(const ViewState& view, MapCache& cache, const NetworkHeader& header);

} // namespace zintu
