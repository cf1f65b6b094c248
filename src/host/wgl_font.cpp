// Overlay font for Windows: 96 bitmap glyph display lists made by WGL from a
// GDI font selected into the device context of the host's window.
//
// Implements: make_wgl_font. Leaves out: glyphs outside 32..127.
// Limits: the face is the font mapper's match for "Garamond"; results of the
// GDI and list calls are not tested. Depends on: gdi32, opengl32, the host's
// window (win32.host.host_window) with its GL context current.
#include "host/wgl_font.h"

#include "host/win32_state.h"
#include "host/win32_text.h"
#include "render/font.h"
#include "render/gl.h"

namespace zintu {

uint32_t make_wgl_font(int32_t pixel_height) {
    const GLuint font_base = glGenLists(kFontGlyphCount);
    const HFONT font = CreateFontW(-pixel_height,               // height in px, leading excluded
                                   0,                           // width: the face's proportions
                                   0, 0,                        // escapement, orientation
                                   kFontWeight,                 // 700, bold
                                   FALSE, FALSE, FALSE,         // italic, underline, strike-out
                                   ANSI_CHARSET,                // 0
                                   OUT_TT_PRECIS,               // 4: prefer TrueType
                                   CLIP_DEFAULT_PRECIS,         // 0
                                   ANTIALIASED_QUALITY,         // 4
                                   DEFAULT_PITCH | FF_DONTCARE, // 0
                                   widen(kFontFace).c_str());
    const HDC dc = GetDC(win32.host.host_window);
    const HGDIOBJ previous = SelectObject(dc, font);
    wglUseFontBitmapsW(dc, kFontFirstChar, kFontGlyphCount, font_base);
    // The blank has no bitmap, and not every implementation gives its list
    // the advance (Wine's does not; nor does it move for a 0x0 bitmap), so the
    // overlay's words would run together. Its list is made again from the
    // font's own width: one unset bit that only moves the raster position.
    INT blank_width = 0;
    if (font_base != 0 && GetCharWidth32W(dc, L' ', L' ', &blank_width)) {
        glNewList(font_base, GL_COMPILE);
        static const GLubyte kNoBits[4] = {}; // one row at the default alignment
        glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(blank_width), 0.0f, kNoBits);
        glEndList();
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    // The saver's class owns its device context, so this gives nothing back
    // there; for any other window it balances the GetDC above.
    ReleaseDC(win32.host.host_window, dc);
    return font_base;
}

} // namespace zintu
