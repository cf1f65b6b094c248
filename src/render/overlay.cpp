// The overlay: its own orthographic space pushed over the map's (which the
// identity load discards for the duration), black text at 30 % opacity.
#include "render/overlay.h"

#include "render/font.h"
#include "render/gl.h"
#include "render/overlay_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace zintu {
namespace {

constexpr std::size_t kTextBuffer = 256;
// Baseline of the corner line, as a fraction of the viewport height.
constexpr double kCornerBaseline = 0.025;

// The overlay's state: texture on, its own space, its colour; left again for
// the map's state as the frame had it.
void enter_overlay_space() {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, kOverlaySpan, 0.0, kOverlaySpan, kOverlayNear, kOverlayFar);
    glColor4f(0.0f, 0.0f, 0.0f, 0.3f);
}

void leave_overlay_space() {
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void next_line(const OverlayLayout& layout) {
    glTranslatef(0.0f, layout.line_step, 0.0f);
    glScalef(layout.line_scale, layout.line_scale, 1.0f);
    glRasterPos2f(0.0f, 0.0f);
}

} // namespace

void draw_text(uint32_t font_base, const char* format, ...) {
    if (format == nullptr) return;
    char text[kTextBuffer];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font_base - kFontFirstChar);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

void draw_overlay(uint32_t font_base, const OverlayInput& input) {
    const OverlayLayout layout = overlay_layout();
    enter_overlay_space();

    glTranslatef(layout.left, layout.first_baseline, 0.0f);
    glRasterPos2f(0.0f, 0.0f);
    draw_text(font_base, "%s", overlay_time_line(input.local_time).c_str());

    next_line(layout);
    draw_text(font_base, "%s", overlay_vehicle_line(input.vehicle_count).c_str());

    if (!input.loading_complete) {
        next_line(layout);
        draw_text(font_base, "%s",
                  overlay_loading_line(input.rows_processed, input.frequency_count).c_str());
    }
    leave_overlay_space();
}

void draw_corner_line(uint32_t font_base, const char* text) {
    const OverlayLayout layout = overlay_layout();
    enter_overlay_space();
    glRasterPos2f(layout.left, static_cast<float>(kOverlaySpan * kCornerBaseline));
    draw_text(font_base, "%s", text);
    leave_overlay_space();
}

} // namespace zintu
