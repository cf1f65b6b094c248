// WGL context creation and release for the host's one window, and the map
// store beside it.
#include "host/wgl_context.h"

#include "host/gl_surface.h"
#include "host/win32_state.h"

#include <GL/gl.h>
#include <GL/wglext.h>

#include <cstring>

namespace zintu {
namespace {

// The map store: a pbuffer on the window's pixel format, and the extension
// entry points it needs (looked up per context, as WGL requires).
struct WglStore {
    PFNWGLMAKECONTEXTCURRENTARBPROC make_context_current = nullptr;
    PFNWGLRELEASEPBUFFERDCARBPROC release_dc = nullptr;
    PFNWGLDESTROYPBUFFERARBPROC destroy = nullptr;
    PFNWGLQUERYPBUFFERARBPROC query = nullptr;
    HPBUFFERARB pbuffer = nullptr;
    HDC dc = nullptr;
};
WglStore store;

template <class Proc>
Proc proc(const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

// True when the space-separated `list` holds `name`.
bool has_extension(const char* list, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* p = list; p != nullptr && *p != '\0';) {
        const char* end = std::strchr(p, ' ');
        const std::size_t token =
            end != nullptr ? static_cast<std::size_t>(end - p) : std::strlen(p);
        if (token == length && std::strncmp(p, name, length) == 0) return true;
        p = end != nullptr ? end + 1 : nullptr;
    }
    return false;
}

void release_store() {
    if (store.pbuffer != nullptr) {
        if (store.dc != nullptr) store.release_dc(store.pbuffer, store.dc);
        store.destroy(store.pbuffer);
    }
    store = WglStore{};
}

bool make_current(HDC draw, HDC read) {
    return store.make_context_current(draw, read, win32.host.host_glrc) != FALSE;
}

// A pbuffer of the client size on the window's own pixel format, when the
// driver offers pbuffers and separate read drawables (the 1.1-era opengl32
// offers neither: the network is then drawn every frame). Every switch the
// map layer makes is tried once.
void create_map_store(HDC window_dc, int format) {
    const HostState& host = win32.host;
    const auto extensions_of = proc<PFNWGLGETEXTENSIONSSTRINGARBPROC>("wglGetExtensionsStringARB");
    const char* extensions = extensions_of != nullptr ? extensions_of(window_dc) : nullptr;
    if (format <= 0 || host.client_width <= 0 || host.client_height <= 0 ||
        !has_extension(extensions, "WGL_ARB_pbuffer") ||
        !has_extension(extensions, "WGL_ARB_make_current_read") ||
        !has_extension(extensions, "WGL_ARB_pixel_format")) {
        return;
    }
    const auto attribute_of =
        proc<PFNWGLGETPIXELFORMATATTRIBIVARBPROC>("wglGetPixelFormatAttribivARB");
    const auto create = proc<PFNWGLCREATEPBUFFERARBPROC>("wglCreatePbufferARB");
    const auto dc_of = proc<PFNWGLGETPBUFFERDCARBPROC>("wglGetPbufferDCARB");
    store.make_context_current = proc<PFNWGLMAKECONTEXTCURRENTARBPROC>("wglMakeContextCurrentARB");
    store.release_dc = proc<PFNWGLRELEASEPBUFFERDCARBPROC>("wglReleasePbufferDCARB");
    store.destroy = proc<PFNWGLDESTROYPBUFFERARBPROC>("wglDestroyPbufferARB");
    store.query = proc<PFNWGLQUERYPBUFFERARBPROC>("wglQueryPbufferARB");
    const int to_pbuffer_query = WGL_DRAW_TO_PBUFFER_ARB;
    int to_pbuffer = 0;
    if (attribute_of == nullptr || create == nullptr || dc_of == nullptr ||
        store.make_context_current == nullptr || store.release_dc == nullptr ||
        store.destroy == nullptr || store.query == nullptr ||
        !attribute_of(window_dc, format, 0, 1, &to_pbuffer_query, &to_pbuffer) || to_pbuffer == 0) {
        store = WglStore{};
        return;
    }
    const int attributes[] = {0};
    store.pbuffer = create(window_dc, format, host.client_width, host.client_height, attributes);
    store.dc = store.pbuffer != nullptr ? dc_of(store.pbuffer) : nullptr;
    bool ok = store.dc != nullptr && make_current(store.dc, window_dc) &&
              make_current(window_dc, store.dc);
    ok = make_current(window_dc, window_dc) && ok;
    if (!ok) {
        wglMakeCurrent(window_dc, host.host_glrc);
        release_store();
    }
}

} // namespace

PIXELFORMATDESCRIPTOR host_pixel_format() {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                     (kSurfaceRequest.double_buffered ? PFD_DOUBLEBUFFER : 0);
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = kSurfaceRequest.colour_bits;
    format.cAlphaBits = kSurfaceRequest.alpha_bits;
    format.cDepthBits = kSurfaceRequest.depth_bits;
    format.cStencilBits = kSurfaceRequest.stencil_bits;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

void create_gl_context(HWND window) {
    HostState& host = win32.host;
    const PIXELFORMATDESCRIPTOR request = host_pixel_format();
    host.host_dc = GetDC(window);
    const int format = ChoosePixelFormat(host.host_dc, &request);
    SetPixelFormat(host.host_dc, format, &request);
    host.host_glrc = wglCreateContext(host.host_dc);
    wglMakeCurrent(host.host_dc, host.host_glrc);
    if (host.host_glrc != nullptr) create_map_store(host.host_dc, format);
}

void destroy_gl_context(HWND window) {
    HostState& host = win32.host;
    wglMakeCurrent(nullptr, nullptr);
    release_store();
    wglDeleteContext(host.host_glrc);
    ReleaseDC(window, host.host_dc);
    host.host_glrc = nullptr;
    host.host_dc = nullptr;
}

MapStore wgl_map_store() {
    if (store.pbuffer == nullptr) return {};
    return {
        [](bool draw_store, bool read_store) {
            const HDC window_dc = win32.host.host_dc;
            if (make_current(draw_store ? store.dc : window_dc, read_store ? store.dc : window_dc))
                return true;
            wglMakeCurrent(window_dc, win32.host.host_glrc);
            return false;
        },
        // A display mode change may take a pbuffer's contents; the map
        // layer then draws the network every frame.
        [] {
            int lost = 0;
            return !store.query(store.pbuffer, WGL_PBUFFER_LOST_ARB, &lost) || lost != 0;
        }};
}

} // namespace zintu
