// The overlay font of the Linux hosts (X11 and headless): fontconfig's choice
// for the face, rendered by FreeType into bitmap glyph display lists.
#pragma once

#include <cstdint>

namespace zintu {

// The font maker of the Linux hosts' platform services (see render/font.h).
uint32_t make_linux_font(int32_t pixel_height);

} // namespace zintu
