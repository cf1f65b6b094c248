// The overlay font on Linux: fontconfig picks "Garamond" (or, where it is not
// installed, its best substitute, EB Garamond first), FreeType renders each
// character at the asked size (24 pixels to the em on a 96-dpi display) in
// bold as a one-bit bitmap, and each bitmap goes into its own display list
// with glBitmap, so the lists behave as the bitmap-font lists of other
// platforms do: the raster position advances by the glyph's width and the
// current raster colour paints the set bits.
//
// Limits: characters 32 to 127 only; no kerning; without any font file the
// lists only advance the raster position and the overlay shows no text.
#include "host/linux_font.h"

#include "render/font.h"
#include "render/gl.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace zintu {
namespace {

// Advance of a character without a glyph, as a share of the font's height,
// so text keeps its spacing.
constexpr int kFallbackAdvanceDivisor = 2;
// How much a regular face is thickened when no bold one exists: one pixel at
// the font's size on a 96-dpi display, in proportion at other sizes (26.6
// fixed point).
FT_Pos embolden_strength(int32_t pixel_height) {
    return FT_Pos{1 << 6} * pixel_height / kFontPixelHeight;
}

struct FontChoice {
    std::string file;
    int index = 0;
    bool embolden = false; // no bold face of the family: thicken the outline
};

// Asks fontconfig for the face; a real bold face of the chosen family is
// preferred over a synthetically emboldened regular one.
bool choose_font(int32_t pixel_height, FontChoice& choice) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFontFace));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("EB Garamond"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixel_height);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;

    FcChar8* family = nullptr;
    FcPattern* bold = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        FcPattern* query =
            FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family, FC_WEIGHT, FcTypeInteger,
                           FC_WEIGHT_BOLD, FC_SLANT, FcTypeInteger, FC_SLANT_ROMAN, nullptr);
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
        FcFontSet* set = FcFontList(nullptr, query, objects);
        if (set != nullptr && set->nfont > 0) bold = FcPatternDuplicate(set->fonts[0]);
        if (set != nullptr) FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(query);
    }
    FcPattern* chosen = bold != nullptr ? bold : match;
    FcChar8* file = nullptr;
    bool found = FcPatternGetString(chosen, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        choice.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(chosen, FC_INDEX, 0, &choice.index);
        FcBool embolden = FcFalse;
        if (bold == nullptr &&
            FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
            choice.embolden = embolden == FcTrue;
        }
    }
    if (bold != nullptr) FcPatternDestroy(bold);
    FcPatternDestroy(match);
    // The font is read once; fontconfig's caches are not needed afterwards.
    FcFini();
    return found;
}

// Compiles one character's bitmap into `list`; bitmap rows go bottom-up.
void compile_glyph(FT_Face face, bool embolden, int32_t pixel_height, unsigned char code,
                   GLuint list) {
    glNewList(list, GL_COMPILE);
    bool drawn = false;
    if (face != nullptr && FT_Load_Char(face, code, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) == 0) {
        FT_GlyphSlot slot = face->glyph;
        if (embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Embolden(&slot->outline, embolden_strength(pixel_height));
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0) {
            const FT_Bitmap& bitmap = slot->bitmap;
            const int rows = static_cast<int>(bitmap.rows);
            const int width = static_cast<int>(bitmap.width);
            const int row_bytes = (width + 7) / 8;
            std::vector<GLubyte> flipped(static_cast<std::size_t>(row_bytes) * rows);
            for (int r = 0; r < rows; ++r) {
                const unsigned char* source = bitmap.buffer + r * bitmap.pitch;
                std::copy(source, source + row_bytes,
                          flipped.begin() + static_cast<std::ptrdiff_t>(rows - 1 - r) * row_bytes);
            }
            const GLfloat advance = static_cast<GLfloat>((slot->advance.x + 32) >> 6);
            glBitmap(width, rows, static_cast<GLfloat>(-slot->bitmap_left),
                     static_cast<GLfloat>(rows - slot->bitmap_top), advance, 0.0f,
                     flipped.empty() ? nullptr : flipped.data());
            drawn = true;
        }
    }
    if (!drawn) {
        const auto advance = static_cast<GLfloat>(pixel_height / kFallbackAdvanceDivisor);
        glBitmap(0, 0, 0.0f, 0.0f, advance, 0.0f, nullptr);
    }
    glEndList();
}

} // namespace

uint32_t make_linux_font(int32_t pixel_height) {
    pixel_height = std::max(pixel_height, 1);
    const GLuint base = glGenLists(kFontGlyphCount);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FontChoice choice;
    if (choose_font(pixel_height, choice) && FT_Init_FreeType(&library) == 0) {
        if (FT_New_Face(library, choice.file.c_str(), choice.index, &face) != 0 ||
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_height)) != 0) {
            face = nullptr;
        }
    }
    if (face == nullptr) std::fputs("zintu: no usable font; the overlay shows no text\n", stderr);

    if (base != 0) {
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (int i = 0; i < kFontGlyphCount; ++i) {
            compile_glyph(face, choice.embolden, pixel_height,
                          static_cast<unsigned char>(kFontFirstChar + i), base + i);
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
    return base;
}

} // namespace zintu
