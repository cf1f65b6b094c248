// GLX configuration choice, context creation and release.
#include "host/glx_context.h"

#include "host/glx_config.h"

#include <cstdio>
#include <vector>

namespace zintu {
namespace {

int attribute(Display* display, GLXFBConfig config, int name) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, name, &value);
    return value;
}

GlxConfigTraits traits_of(Display* display, GLXFBConfig config) {
    GlxConfigTraits t;
    t.rgba = (attribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
    t.window = (attribute(display, config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0;
    t.double_buffer = attribute(display, config, GLX_DOUBLEBUFFER) != 0;
    const int caveat = attribute(display, config, GLX_CONFIG_CAVEAT);
    t.slow = caveat == GLX_SLOW_CONFIG || caveat == GLX_NON_CONFORMANT_CONFIG;
    t.red = attribute(display, config, GLX_RED_SIZE);
    t.green = attribute(display, config, GLX_GREEN_SIZE);
    t.blue = attribute(display, config, GLX_BLUE_SIZE);
    t.alpha = attribute(display, config, GLX_ALPHA_SIZE);
    t.depth = attribute(display, config, GLX_DEPTH_SIZE);
    t.stencil = attribute(display, config, GLX_STENCIL_SIZE);
    t.accum = attribute(display, config, GLX_ACCUM_RED_SIZE) +
              attribute(display, config, GLX_ACCUM_GREEN_SIZE) +
              attribute(display, config, GLX_ACCUM_BLUE_SIZE) +
              attribute(display, config, GLX_ACCUM_ALPHA_SIZE);
    t.aux_buffers = attribute(display, config, GLX_AUX_BUFFERS);
    t.samples = attribute(display, config, GLX_SAMPLES);
    t.visual_id = static_cast<uint32_t>(attribute(display, config, GLX_VISUAL_ID));
    return t;
}

// Set by the handler that stands in for the caller's while the map store is
// made or switched to; the handler may not make requests, so it only records.
bool store_failed = false;

int note_store_error(Display*, XErrorEvent*) {
    store_failed = true;
    return 0;
}

// Runs `attempt` with its X errors kept from the caller's handler (earlier
// requests' errors still go there); false when it failed or caused an error.
// A display without pbuffers, or a window that went away while the map layer
// took its copy, then only means no store: the saver learns of a lost window
// from the window's own events and requests.
template <class Attempt>
bool trapped(Display* display, Attempt attempt) {
    XSync(display, False);
    store_failed = false;
    const auto previous = XSetErrorHandler(note_store_error);
    const bool ok = attempt();
    XSync(display, False);
    XSetErrorHandler(previous);
    return ok && !store_failed;
}

bool make_current(const GlxContext& c, GLXDrawable draw, GLXDrawable read) {
    return glXMakeContextCurrent(c.display, draw, read, c.context) != False;
}

} // namespace

int glx_error_base(Display* display) {
    int error_base = 0, event_base = 0;
    return glXQueryExtension(display, &error_base, &event_base) ? error_base : -1;
}

bool choose_glx_format(Display* display, int screen, VisualID visual_id, GlxSurfaceFormat& format,
                       std::string& error) {
    int major = 0, minor = 0;
    if (glx_error_base(display) < 0 || !glXQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 3)) {
        error = "the display has no OpenGL (GLX 1.3) support";
        return false;
    }
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(display, screen, &count);
    std::vector<GlxConfigTraits> traits;
    for (int i = 0; i < count; ++i)
        traits.push_back(traits_of(display, configs[i]));
    const int chosen = choose_glx_config(traits, static_cast<uint32_t>(visual_id));
    if (chosen < 0) {
        if (configs != nullptr) XFree(configs);
        char id[32];
        std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(visual_id));
        error = visual_id != 0 ? std::string("the window's visual ") + id +
                                     " has no double-buffered OpenGL configuration"
                               : "the display offers no double-buffered RGB OpenGL configuration";
        return false;
    }
    format.config = configs[chosen];
    XFree(configs);
    XVisualInfo* info = glXGetVisualFromFBConfig(display, format.config);
    if (info == nullptr) {
        error = "the chosen OpenGL configuration has no X visual";
        return false;
    }
    format.visual = info->visual;
    format.depth = info->depth;
    format.visual_id = info->visualid;
    XFree(info);
    return true;
}

bool create_glx_context(Display* display, const GlxSurfaceFormat& format, Window window,
                        GlxContext& context, std::string& error) {
    context = GlxContext{};
    GLXContext created = glXCreateNewContext(display, format.config, GLX_RGBA_TYPE, nullptr, True);
    if (created == nullptr) {
        created = glXCreateNewContext(display, format.config, GLX_RGBA_TYPE, nullptr, False);
    }
    if (created == nullptr) {
        error = "cannot create an OpenGL context on the display";
        return false;
    }
    if (!glXMakeCurrent(display, window, created)) {
        glXDestroyContext(display, created);
        error = "cannot make the OpenGL context current on the window";
        return false;
    }
    context.display = display;
    context.window = window;
    context.context = created;
    return true;
}

bool create_glx_map_store(const GlxSurfaceFormat& format, int32_t width, int32_t height,
                          GlxContext& context) {
    Display* display = context.display;
    if (context.context == nullptr || width <= 0 || height <= 0 ||
        (attribute(display, format.config, GLX_DRAWABLE_TYPE) & GLX_PBUFFER_BIT) == 0) {
        return false;
    }
    const int attributes[] = {
        GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, GLX_PRESERVED_CONTENTS, True, None};
    GLXPbuffer store = 0;
    const bool made = trapped(display, [&] {
        store = glXCreatePbuffer(display, format.config, attributes);
        return store != 0;
    });
    if (!made && store != 0) { // a failed one may not exist: still ours
        trapped(display, [&] {
            glXDestroyPbuffer(display, store);
            return true;
        });
    }
    context.store = made ? store : 0;
    return made;
}

MapStore glx_map_store(const GlxContext& context) {
    if (context.store == 0) return {};
    return {[&context](bool draw_store, bool read_store) {
                const GLXDrawable draw = draw_store ? context.store : context.window;
                const GLXDrawable read = read_store ? context.store : context.window;
                if (trapped(context.display, [&] { return make_current(context, draw, read); }))
                    return true;
                trapped(context.display,
                        [&] { return make_current(context, context.window, context.window); });
                return false;
            },
            nullptr};
}

void swap_glx_buffers(const GlxContext& context) {
    if (context.context != nullptr) glXSwapBuffers(context.display, context.window);
}

void destroy_glx_context(GlxContext& context) {
    if (context.context == nullptr) return;
    glXMakeCurrent(context.display, None, nullptr);
    if (context.store != 0) glXDestroyPbuffer(context.display, context.store);
    glXDestroyContext(context.display, context.context);
    context = GlxContext{};
}

} // namespace zintu
