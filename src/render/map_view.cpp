// The map view: GL state, projection, network display list, map transform.
// Every matrix call acts on the model-view stack (no matrix mode is ever
// selected), whose bottom entry is the map projection; the overlay relies on it.
#include "render/map_view.h"

#include "render/gl.h"

namespace zintu {
namespace {

// 0.8 = 204/255 with 90 % opacity, smoothed and blended over white.
constexpr GLfloat kNetworkColour[4] = {0.8f, 0.8f, 0.8f, 0.9f};
constexpr GLfloat kAlphaReference = 0.0625f;

// The state that stays after the projection: only blending, the alpha test,
// line smoothing, the disabled depth test and the clear colour show; the rest
// changes nothing on this flat, untextured geometry.
void set_drawing_state() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glDisable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
}

} // namespace

void init_map_view(ViewState& view, const Network& network, bool downtown, MakeFont make_font,
                   double scale, int32_t width, int32_t height) {
    apply_zoom_level(view, network, downtown);
    view.line_width = static_cast<float>(scale);
    set_gl_state(view, make_font, font_pixel_height(scale));
    set_projection(view, *network.header, width, height);
    set_drawing_state();
    build_network_list(view, network);
    ZINTU_GL_CHECK("init_map_view");
}

void set_gl_state(ViewState& view, MakeFont make_font, int32_t font_height) {
    // Blending; texture switch; no depth test; alpha blend function; alpha
    // test above 1/16; polygon offset (0, -3); opaque white clear colour.
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, kAlphaReference);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(0.0f, -3.0f);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    view.font_base = make_font != nullptr ? make_font(font_height) : 0;
}

void set_projection(ViewState& view, const NetworkHeader& header, int32_t width, int32_t height) {
    glLoadIdentity();
    glViewport(0, 0, width, height);
    const Projection projection = map_projection(header);
    view.view_aspect = projection.view_aspect;
    const OrthoBox& box = projection.box;
    glOrtho(box.left, box.right, box.bottom, box.top, kMapNear, kMapFar);
}

void build_network_list(ViewState& view, const Network& network) {
    view.network_list = glGenLists(1);
    if (view.network_list == 0) return; // no list: the network is simply not drawn
    glNewList(view.network_list, GL_COMPILE);
    for (int32_t s = 0; s < network.shape_count; ++s) {
        const ShapeEntry& shape = network.shapes[s];
        glBegin(GL_LINE_STRIP);
        for (int32_t i = 0; i < shape.shape_size; ++i) {
            glVertex3f(static_cast<GLfloat>(shape.points[i].x),
                       static_cast<GLfloat>(shape.points[i].y), 0.0f);
        }
        glEnd();
    }
    glEndList();
}

void push_map_transform(const ViewState& view, const NetworkHeader& header) {
    glPushMatrix();
    // Zoom about the data set's centre (z scaled to 0: all geometry is flat),
    // then pan in map units.
    glTranslatef(static_cast<GLfloat>(header.x_center), static_cast<GLfloat>(header.y_center),
                 0.0f);
    glScalef(view.zoom, view.zoom, 0.0f);
    glTranslatef(static_cast<GLfloat>(-header.x_center), static_cast<GLfloat>(-header.y_center),
                 0.0f);
    glTranslatef(static_cast<GLfloat>(view.pan_x), static_cast<GLfloat>(view.pan_y), 0.0f);
}

void draw_network(const ViewState& view) {
    // Texture switch off while the lines draw, network colour, line width (1
    // on a 96-dpi display, as GL's default), texture switch on again.
    glDisable(GL_TEXTURE_2D);
    glColor4fv(kNetworkColour);
    glLineWidth(view.line_width);
    if (view.network_list != 0) glCallList(view.network_list);
    glEnable(GL_TEXTURE_2D);
}

void draw_map_layer(const ViewState& view, const NetworkHeader& header) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    push_map_transform(view, header);
    draw_network(view);
}

void end_map_layer() {
    glPopMatrix();
}

void enter_viewport(const Viewport& viewport) {
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glScissor(viewport.x, viewport.y, viewport.width, viewport.height);
    glEnable(GL_SCISSOR_TEST);
}

void leave_viewports() {
    glDisable(GL_SCISSOR_TEST);
}

} // namespace zintu
