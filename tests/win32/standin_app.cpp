// A stand-in application for zintu.scr while the real one is not linked: reads
// the settings, builds the overlay font and clears every frame to a colour
// that tells the settings apart, with a line of text drawn over it.
#include "host/host_callbacks.h"
#include "host/settings.h"
#include "render/font.h"

#include <windows.h>

#include <GL/gl.h>

#include <cstring>

namespace zintu {
namespace {

Settings standin_settings;
uint32_t standin_font_base = 0;

void standin_init(int32_t width, int32_t height) {
    standin_settings = read_settings();
    glViewport(0, 0, width, height);
    standin_font_base = init_font();
}

void standin_frame() {
    glClearColor(standin_settings.speed_mode == 'f' ? 1.0f : 0.2f,
                 standin_settings.downtown ? 0.8f : 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(0.0f, 0.0f, 0.0f);
    glRasterPos2f(-0.9f, 0.8f);
    static const char kText[] = "Zintu";
    glListBase(standin_font_base - kFontFirstChar);
    glCallLists(static_cast<GLsizei>(std::strlen(kText)), GL_UNSIGNED_BYTE, kText);
}

} // namespace

void register_host_callbacks() {
    host_callbacks.on_init = standin_init;
    host_callbacks.on_frame = standin_frame;
}

} // namespace zintu
