// GIF palette and colour look-up.
#include "host/record_palette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zintu {
namespace {

// The network's lines: 204 grey at full cover, smoothed over white.
constexpr uint32_t kLineGrey = 204;
// The overlay's text keeps 70 % of what lies under it; its lines overlap in
// small frames, so up to three layers of it are met.
constexpr int kTextLayers = 3;
constexpr double kUnderText = 0.7;
// Open addressing, kept under three quarters full; a recording meets tens of
// colours, so the table is cleared rather than grown past this.
constexpr std::size_t kLookupSlots = 4096;
constexpr int64_t kLookupLimit = kLookupSlots * 3 / 4;

uint32_t grey(uint32_t v) {
    return v << 16 | v << 8 | v;
}

// `colour` weighted `part` of 4 over white (a smoothed edge).
uint32_t blend_white(uint32_t colour, uint32_t part) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c = colour >> shift & 0xFF;
        out |= ((c * part + 255 * (4 - part) + 2) / 4) << shift;
    }
    return out;
}

// `colour` under `layers` of the overlay's text, each channel rounded down
// (`up` false) or up: the rasteriser's rounding is its own.
uint32_t under_text(uint32_t colour, int layers, bool up) {
    const double factor = std::pow(kUnderText, layers);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double c = static_cast<double>(colour >> shift & 0xFF) * factor;
        out |= static_cast<uint32_t>(up ? std::ceil(c) : std::floor(c)) << shift;
    }
    return out;
}

int64_t distance(uint32_t a, uint32_t b) {
    int64_t sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int64_t d =
            static_cast<int64_t>(a >> shift & 0xFF) - static_cast<int64_t>(b >> shift & 0xFF);
        sum += d * d;
    }
    return sum;
}

uint8_t nearest(const std::vector<uint32_t>& palette, uint32_t colour) {
    std::size_t best = 0;
    int64_t best_distance = std::numeric_limits<int64_t>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int64_t d = distance(palette[i], colour);
        if (d < best_distance) {
            best_distance = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

} // namespace

std::vector<uint32_t> make_gif_palette(const std::vector<uint32_t>& drawn_colours) {
    std::vector<uint32_t> palette;
    const auto add = [&palette](uint32_t colour) {
        if (palette.size() < static_cast<std::size_t>(kGifColours) &&
            std::find(palette.begin(), palette.end(), colour) == palette.end()) {
            palette.push_back(colour & 0xFFFFFF);
        }
    };
    for (uint32_t v = 255; v >= kLineGrey; --v)
        add(grey(v));
    for (int layers = 1; layers <= kTextLayers; ++layers) {
        for (uint32_t v = 255; v >= kLineGrey; --v) {
            add(under_text(grey(v), layers, false));
            add(under_text(grey(v), layers, true));
        }
    }
    for (uint32_t c : drawn_colours)
        add(c);
    for (uint32_t c : drawn_colours) {
        add(under_text(c, 1, false));
        add(under_text(c, 1, true));
    }
    for (uint32_t part = 2; part >= 1; --part) {
        for (uint32_t c : drawn_colours)
            add(blend_white(c, part));
    }
    for (uint32_t c : drawn_colours)
        add(blend_white(c, 3));
    return palette;
}

ColourLookup make_colour_lookup(std::vector<uint32_t> palette) {
    ColourLookup lookup;
    lookup.palette = std::move(palette);
    lookup.keys.assign(kLookupSlots, 0);
    lookup.indices.assign(kLookupSlots, 0);
    return lookup;
}

uint8_t palette_index(ColourLookup& lookup, uint32_t colour) {
    const uint32_t key = colour + 1;
    std::size_t slot = (colour * 2654435761u >> 20) & (kLookupSlots - 1);
    while (lookup.keys[slot] != 0) {
        if (lookup.keys[slot] == key) return lookup.indices[slot];
        slot = (slot + 1) & (kLookupSlots - 1);
    }
    const uint8_t index = nearest(lookup.palette, colour);
    if (lookup.filled >= kLookupLimit) {
        std::fill(lookup.keys.begin(), lookup.keys.end(), 0);
        lookup.filled = 0;
        return index;
    }
    lookup.keys[slot] = key;
    lookup.indices[slot] = index;
    ++lookup.filled;
    return index;
}

void map_to_palette(ColourLookup& lookup, const uint8_t* rgb, int64_t count, uint8_t* out) {
    uint32_t last = 0xFFFFFFFF; // no colour
    uint8_t last_index = 0;
    for (int64_t i = 0; i < count; ++i, rgb += 3) {
        const uint32_t colour = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
        if (colour != last) {
            last = colour;
            last_index = palette_index(lookup, colour);
        }
        out[i] = last_index;
    }
}

} // namespace zintu
