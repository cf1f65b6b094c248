// The overlay font of the Windows saver: bitmap glyph display lists made by
// WGL from a GDI font, on the host window's device context.
#pragma once

#include <cstdint>

namespace zintu {

// The font maker of the saver's platform services (see render/font.h).
uint32_t make_wgl_font(int32_t pixel_height);

} // namespace zintu
