// The cached network layer: taking the copy, checking it, restoring it. Each
// step states the GL state it sets; each leaves blending, the alpha test and
// the texture switch on, as the per-frame map layer leaves them, and the view
// drawn (read too until a copy is taken, the store read after that).
#include "render/map_cache.h"

#include "render/gl.h"
#include "render/map_view.h"

#include <utility>
#include <vector>

namespace zintu {
namespace {

bool shows_view(const MapCache& cache, const ViewState& view) {
    return cache.valid && cache.zoom == view.zoom && cache.pan_x == view.pan_x &&
           cache.pan_y == view.pan_y && cache.network_list == view.network_list;
}

// Copies the viewport's rectangle of the read drawable to the same place of
// the draw drawable. Blending, the alpha test and the texture switch are
// off for the copy, so the pixels are written unchanged and the copy is a
// plain memory copy; the raster position is set under an identity model-view
// (the projection is always the identity), where (-1, -1) is the viewport's
// lower left corner. Blending, the alpha test and the texture switch are on
// again afterwards.
void copy_viewport(const MapCache& cache) {
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1.0f, -1.0f);
    glPopMatrix();
    glCopyPixels(cache.x, cache.y, cache.width, cache.height, GL_COLOR);
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
}

// The viewport's pixels as RGBA rows, whatever pixel-store state is current.
std::vector<uint8_t> read_viewport(const MapCache& cache) {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(cache.width) * cache.height * 4);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(cache.x, cache.y, cache.width, cache.height, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    glPopClientAttrib();
    return pixels;
}

// Restores the copy: the view is drawn and the store read since the copy was
// taken. A store whose contents are gone leaves the view read and restores
// nothing.
bool restore_from_store(const MapCache& cache) {
    if (cache.store.lost && cache.store.lost()) {
        cache.store.select(false, false);
        return false;
    }
    copy_viewport(cache);
    return true;
}

// Takes the copy and checks it: the viewport read as drawn, copied into the
// store and back, and read again, must be the same. On success the view shows
// the restored picture, which is the drawn one, and the context is left
// drawing the view and reading the store; on failure it reads the view.
bool take_copy(const MapCache& cache) {
    const MapStore& store = cache.store;
    if (!store.select(false, false)) return false;
    const std::vector<uint8_t> drawn = read_viewport(cache);
    if (!store.select(true, false)) return false;
    copy_viewport(cache);
    if (!store.select(false, true)) return false;
    copy_viewport(cache);
    if (!store.select(false, false)) return false;
    return read_viewport(cache) == drawn && store.select(false, true);
}

// Whatever of the drawable lies beyond the viewport (a window grown after
// the viewport was set) is cleared white, as the per-frame path's full clear
// leaves it. With a drawable of the viewport's size both boxes are empty.
// The scissor test is on only for these clears.
void clear_beyond_viewport(const MapCache& cache) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(cache.width, 0, cache.max_extent, cache.max_extent);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, cache.height, cache.max_extent, cache.max_extent);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

} // namespace

void start_map_cache(MapCache& cache, MapStore store, int32_t width, int32_t height) {
    cache = MapCache{};
    cache.store = std::move(store);
    cache.method = cache.store.select ? MapCacheMethod::Undecided : MapCacheMethod::Redraw;
    cache.width = width;
    cache.height = height;
    GLint dims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
    cache.max_extent = dims[0] > dims[1] ? dims[0] : dims[1];
}

void resize_map_cache(MapCache& cache, int32_t width, int32_t height) {
    if (width == cache.width && height == cache.height) return;
    cache.width = width;
    cache.height = height;
    cache.valid = false;
}

void place_map_cache(MapCache& cache, const Viewport& viewport, bool shared) {
    resize_map_cache(cache, viewport.width, viewport.height);
    if (viewport.x != cache.x || viewport.y != cache.y) cache.valid = false;
    cache.x = viewport.x;
    cache.y = viewport.y;
    cache.shared = shared;
}

void invalidate_map_cache(MapCache& cache) {
    cache.valid = false;
}

void draw_cached_map_layer(const ViewState& view, MapCache& cache, const NetworkHeader& header) {
    if (shows_view(cache, view)) {
        if (!cache.shared) clear_beyond_viewport(cache);
        if (restore_from_store(cache)) {
            push_map_transform(view, header);
            return;
        }
        // The store's contents went away: the network is drawn from now on.
        cache.valid = false;
        cache.method = MapCacheMethod::Redraw;
    }
    // The per-frame picture: white, then the network under the map transform,
    // which stays pushed for the glyphs.
    glClear(GL_COLOR_BUFFER_BIT);
    push_map_transform(view, header);
    draw_network(view);
    if (cache.method == MapCacheMethod::Redraw || cache.width <= 0 || cache.height <= 0) return;
    cache.valid = take_copy(cache);
    if (!cache.valid) {
        // No copy to trust, and the view may show a bad one: the network is
        // drawn again, now and from now on.
        cache.method = MapCacheMethod::Redraw;
        glClear(GL_COLOR_BUFFER_BIT);
        draw_network(view);
        return;
    }
    ZINTU_GL_CHECK("taking the map layer's copy");
    cache.method = MapCacheMethod::Store;
    cache.zoom = view.zoom;
    cache.pan_x = view.pan_x;
    cache.pan_y = view.pan_y;
    cache.network_list = view.network_list;
}

} // namespace zintu
