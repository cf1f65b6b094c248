// Headless GL context on EGL: surfaceless platform, a device, or the default
// display, whichever first gives a desktop GL context on a pbuffer.
#include "host/egl_context.h"

#include "host/gl_surface.h"
#include "render/gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>

namespace zintu {
namespace {

EGLDisplay platform_display(EGLenum platform, void* native) {
    static const auto get_platform_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_platform_display == nullptr) return EGL_NO_DISPLAY;
    return get_platform_display(platform, native, nullptr);
}

EGLDisplay first_device_display() {
    const auto query_devices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    if (query_devices == nullptr) return EGL_NO_DISPLAY;
    EGLDeviceEXT device = nullptr;
    EGLint count = 0;
    if (!query_devices(1, &device, &count) || count < 1) return EGL_NO_DISPLAY;
    return platform_display(EGL_PLATFORM_DEVICE_EXT, device);
}

// Initialises `display` and builds the context and pbuffer on it.
bool try_display(EGLDisplay display, EglContext& egl) {
    if (display == EGL_NO_DISPLAY) return false;
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        eglTerminate(display);
        return false;
    }
    const SurfaceRequest& r = kSurfaceRequest;
    const EGLint config_attributes[] = {
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE,
        r.channel_bits,   EGL_GREEN_SIZE,  r.channel_bits,      EGL_BLUE_SIZE,  r.channel_bits,
        EGL_DEPTH_SIZE,   r.depth_bits,    EGL_STENCIL_SIZE,    r.stencil_bits, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display, config_attributes, &config, 1, &configs) || configs < 1) {
        eglTerminate(display);
        return false;
    }
    const EGLint surface_attributes[] = {EGL_WIDTH, egl.width, EGL_HEIGHT, egl.height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surface_attributes);
    if (surface == EGL_NO_SURFACE) {
        eglTerminate(display);
        return false;
    }
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglDestroySurface(display, surface);
        eglTerminate(display);
        return false;
    }
    egl.display = display;
    egl.config = config;
    egl.surface = surface;
    egl.context = context;
    // The store: same size and configuration, so a copy between the two is
    // exact. Without it the map layer draws the network every frame.
    EGLSurface store = eglCreatePbufferSurface(display, config, surface_attributes);
    egl.store = store == EGL_NO_SURFACE ? nullptr : store;
    return true;
}

} // namespace

bool create_egl_context(EglContext& egl, int32_t width, int32_t height, std::string& error) {
    egl = EglContext{};
    egl.width = width;
    egl.height = height;
    if (try_display(platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY), egl) ||
        try_display(first_device_display(), egl) ||
        try_display(eglGetDisplay(EGL_DEFAULT_DISPLAY), egl)) {
        return true;
    }
    error = "cannot create an OpenGL context through EGL (no surfaceless platform, device or "
            "default display gave one)";
    return false;
}

MapStore egl_map_store(const EglContext& egl) {
    if (egl.store == nullptr) return {};
    return {[&egl](bool draw_store, bool read_store) {
                if (eglMakeCurrent(egl.display, draw_store ? egl.store : egl.surface,
                                   read_store ? egl.store : egl.surface, egl.context)) {
                    return true;
                }
                eglMakeCurrent(egl.display, egl.surface, egl.surface, egl.context);
                return false;
            },
            nullptr};
}

void swap_egl_buffers(const EglContext& egl) {
    eglSwapBuffers(egl.display, egl.surface);
}

void destroy_egl_context(EglContext& egl) {
    if (egl.display == nullptr) return;
    // The display stays initialised: it is shared by the whole process, and
    // terminating it unloads a driver that still holds allocations.
    eglMakeCurrent(egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(egl.display, egl.context);
    eglDestroySurface(egl.display, egl.surface);
    if (egl.store != nullptr) eglDestroySurface(egl.display, egl.store);
    egl = EglContext{};
}

std::vector<uint8_t> read_rgb_pixels(const EglContext& egl) {
    std::vector<uint8_t> pixels;
    read_rgb_pixels(egl, pixels);
    return pixels;
}

void read_rgb_pixels(const EglContext& egl, std::vector<uint8_t>& out) {
    const std::size_t width = static_cast<std::size_t>(egl.width);
    const std::size_t height = static_cast<std::size_t>(egl.height);
    out.resize(width * height * 3);
    // Four bytes a pixel is the driver's own layout, copied as it is; three
    // would cost it a conversion of every pixel, slower than the one below.
    static thread_local std::vector<uint8_t> rgba;
    rgba.resize(width * height * 4);
    glFinish();
    // The picture is read from the view, whatever the context reads now (the
    // map layer leaves it reading its store); that stays as it was.
    const EGLSurface reading = eglGetCurrentSurface(EGL_READ);
    eglMakeCurrent(egl.display, egl.surface, egl.surface, egl.context);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, egl.width, egl.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    eglMakeCurrent(egl.display, egl.surface, reading, egl.context);
    // GL's rows run from the bottom.
    for (std::size_t y = 0; y < height; ++y) {
        const uint8_t* from = rgba.data() + (height - 1 - y) * width * 4;
        uint8_t* to = out.data() + y * width * 3;
        for (std::size_t x = 0; x < width; ++x, from += 4, to += 3) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

} // namespace zintu
