// The map view in OpenGL 1.1: the fixed-function state, the orthographic map
// matrix at the bottom of the one model-view stack, the whole network compiled
// into one display list, and the per-frame map transform.
#pragma once

#include "network/network.h"
#include "render/font.h"
#include "render/projection.h"

#include <cstdint>

namespace zintu {

// Initialisation after the settings: zoom level, GL state (with the overlay
// font), projection, the remaining state and the network list. `scale` is
// the display's scale factor (1: a 96-dpi display); the line width and the
// font's size follow it.
void init_map_view(ViewState& view, const Network& network, bool downtown, MakeFont make_font,
                   double scale, int32_t width, int32_t height);

// Blending, alpha test, polygon offset, white clear colour, then the font at
// `font_height` pixels (none without a maker: the overlay then draws nothing).
void set_gl_state(ViewState& view, MakeFont make_font, int32_t font_height);

// Viewport and the orthographic map matrix; sets `view.view_aspect`.
void set_projection(ViewState& view, const NetworkHeader& header, int32_t width, int32_t height);

// Compiles every shape-table entry into `view.network_list` as a line strip.
void build_network_list(ViewState& view, const Network& network);

// Pushes the map transform over the projection: zoom about the data set's
// centre, then the pan.
void push_map_transform(const ViewState& view, const NetworkHeader& header);

// Draws the network list in light grey, `view.line_width` pixels wide, under
// the current matrix; leaves the texture switch on and the network colour
// current.
void draw_network(const ViewState& view);

// Clears the colour and depth buffers, pushes the map transform and draws the
// network. Leaves the matrix pushed; `end_map_layer` pops it after the glyphs.
// (The cached map layer of map_cache.h gives the same picture.)
void draw_map_layer(const ViewState& view, const NetworkHeader& header);
void end_map_layer();

// One of several viewports of the drawable: the viewport and the scissor box
// are set to it and the scissor test is on, so a frame's clears stay inside
// it. The projection does not change: every viewport shows the whole map.
void enter_viewport(const Viewport& viewport);
// After the last of them: the scissor test is off again.
void leave_viewports();

} // namespace zintu
