// Ranking of GLX configurations against the requested surface.
#include "host/glx_config.h"

#include "host/gl_surface.h"

#include <array>
#include <cstdlib>

namespace zintu {
namespace {

constexpr int kColourBits = kSurfaceRequest.colour_bits;
constexpr int kChannelBits = kSurfaceRequest.channel_bits;
constexpr int kDepthBits = kSurfaceRequest.depth_bits;

// Lexicographic cost, smaller is nearer: first what a surface must not lack
// (a depth buffer of 16 bits, 8 bits a channel), then how many unrequested
// buffers it carries, then how far its sizes are from the request.
std::array<int, 6> cost(const GlxConfigTraits& c) {
    const int colour = c.red + c.green + c.blue;
    const bool short_channel =
        c.red < kChannelBits || c.green < kChannelBits || c.blue < kChannelBits;
    const int extras =
        (c.alpha > 0) + (c.stencil > 0) + (c.accum > 0) + (c.aux_buffers > 0) + (c.samples > 0);
    return {c.slow ? 1 : 0, c.depth < kDepthBits ? 1 : 0,   short_channel ? 1 : 0,
            extras,         std::abs(c.depth - kDepthBits), std::abs(colour - kColourBits)};
}

} // namespace

int choose_glx_config(const std::vector<GlxConfigTraits>& configs, uint32_t visual_id) {
    int best = -1;
    std::array<int, 6> best_cost{};
    for (std::size_t i = 0; i < configs.size(); ++i) {
        const GlxConfigTraits& c = configs[i];
        if (!c.rgba || !c.window || !c.double_buffer || c.visual_id == 0) continue;
        if (visual_id != 0 && c.visual_id != visual_id) continue;
        const std::array<int, 6> this_cost = cost(c);
        if (best < 0 || this_cost < best_cost) {
            best = static_cast<int>(i);
            best_cost = this_cost;
        }
    }
    return best;
}

} // namespace zintu
