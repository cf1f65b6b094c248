// Headless frames checked with pixel probes placed by the projection, and fast
// frames compared pixel for pixel with literal frames on the same drawable.
#include "app/app.h"
#include "host/egl_context.h"
#include "host/linux_font.h"
#include "render/font.h"
#include "render/gl.h"
#include "render/glyphs.h"
#include "render/map_view.h"
#include "render/overlay.h"
#include "render/overlay_text.h"
#include "render/projection.h"
#include "render/route_colours.h"
#include "sim/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace zintu {
namespace {

constexpr int32_t kWidth = 1280;
constexpr int32_t kHeight = 800;
// 2026-12-07 08:15:00 UTC, a Monday.
constexpr int64_t kMondayMorning = 1796631300;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Glyph colours on screen. Featured: four pairs of shapes, then one rose.
Rgb glyph_rgb(const Network& network, ColourScheme colours, int32_t shape_id) {
    if (colours == ColourScheme::Lines) {
        const ShapeStyle& style = network.shape_styles[shape_id];
        const uint32_t c = visible_route_colour(style.colour, style.kind);
        return {static_cast<int>(c >> 16), static_cast<int>(c >> 8 & 0xFF),
                static_cast<int>(c & 0xFF)};
    }
    static const Rgb featured[] = {{255, 198, 0}, {44, 189, 0}, {142, 0, 189}, {0, 191, 203}};
    return shape_id >= 1 && shape_id <= 8 ? featured[(shape_id - 1) / 2] : Rgb{204, 102, 102};
}

const auto is_network_grey = [](Rgb c) {
    return c.r == c.g && c.g == c.b && c.r >= 200 && c.r < 250;
};
const auto is_not_white = [](Rgb c) { return c != Rgb{255, 255, 255}; };
const auto is_text_dark = [](Rgb c) { return c.r == c.g && c.g == c.b && c.r < 190; };

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
        std::string error;
        ASSERT_TRUE(create_egl_context(egl_, kWidth, kHeight, error)) << error;
    }

    void TearDown() override { destroy_egl_context(egl_); }

    void init(bool downtown, ColourScheme colours = ColourScheme::Auto) {
        app_ = std::make_unique<App>();
        use_network(app_->sim, compiled_network());
        app_->platform.time_source = [] { return WallTime{kMondayMorning, 0}; };
        app_->platform.make_font = make_linux_font;
        init_app_view(*app_, downtown, colours, kWidth, kHeight);
    }

    void frame() {
        run_frame(*app_);
        pixels_ = read_rgb_pixels(egl_);
    }

    // Pixel at column x from the left and row y from the bottom.
    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 3;
        return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
    }

    ViewportPoint viewport(double map_x, double map_y) const {
        return map_to_viewport(*app_->sim.network.header, app_->view, map_x, map_y, kWidth,
                               kHeight);
    }

    Rgb at_map(double map_x, double map_y) const {
        const ViewportPoint p = viewport(map_x, map_y);
        return at(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
    }

    template <class Test>
    int count_near_map(double map_x, double map_y, int radius, Test test) const {
        const ViewportPoint p = viewport(map_x, map_y);
        return count_in(static_cast<int>(p.x) - radius, static_cast<int>(p.y) - radius,
                        static_cast<int>(p.x) + radius, static_cast<int>(p.y) + radius, test);
    }

    template <class Test>
    int count_in(int x0, int y0, int x1, int y1, Test test) const {
        int count = 0;
        for (int y = std::max(0, y0); y <= std::min(kHeight - 1, y1); ++y) {
            for (int x = std::max(0, x0); x <= std::min(kWidth - 1, x1); ++x)
                count += test(at(x, y));
        }
        return count;
    }

    int text_pixels(int line) const {
        const int baseline = static_cast<int>(overlay_baseline_fraction(line) * kHeight);
        const int left = static_cast<int>(overlay_layout().left / kOverlaySpan * kWidth);
        return count_in(left, baseline - 4, left + 200, baseline + 16, is_text_dark);
    }

    EglContext egl_;
    std::unique_ptr<App> app_;
    std::vector<uint8_t> pixels_;
};

TEST_F(RenderTest, FirstFrameIsTheNetworkAloneWhileLoading) {
    init(false);
    frame();
    EXPECT_EQ(app_->sim.vehicle_count, 0);
    const std::tuple<const char*, double, double, bool> probes[] = {
        {"north-east corner", 5500, 7600, false},   {"south-west open ground", 1300, 5300, false},
        {"inside the loop", 3500, 5600, false},     {"east-west line", 4250, 7000, true},
        {"north-south line", 3000, 6200, true},     {"loop's southern edge", 3500, 5200, true},
        {"shape named by no row", 5800, 5200, true}};
    for (const auto& [name, x, y, line] : probes) {
        if (line) {
            EXPECT_GT(count_near_map(x, y, 1, is_network_grey), 0) << name << ": no grey line";
        } else {
            EXPECT_EQ(count_near_map(x, y, 3, is_not_white), 0) << name << ": not white";
        }
    }
    EXPECT_EQ(
        count_in(0, 0, kWidth - 1, kHeight - 1, [](Rgb c) { return c.r != c.g || c.g != c.b; }), 0);
    for (int line : {0, 1, 2})
        EXPECT_GT(text_pixels(line), 10) << "overlay line " << line << ": clock, vehicles, loading";
}

// Every isolated vehicle of a busy frame shows its shape's colour.
TEST_F(RenderTest, GlyphsTakeTheirShapesColours) {
    for (const ColourScheme colours : {ColourScheme::Featured, ColourScheme::Lines}) {
        SCOPED_TRACE(colours_value(colours));
        init(false, colours);
        while (!app_->sim.loading.loading_complete)
            run_frame(*app_);
        frame(); // the first full picture
        EXPECT_EQ(text_pixels(2), 0) << "the loading line is gone once loading is complete";
        EXPECT_GT(text_pixels(0), 10);

        std::vector<Vehicle> placed;
        place_vehicles(app_->sim.network, app_->sim.loading.service_runs, app_->sim.clock,
                       [&](float x, float y, float heading, int32_t shape_id) {
                           placed.push_back({x, y, heading, shape_id});
                       });
        ASSERT_FALSE(placed.empty());
        int featured = 0, ordinary = 0;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const Vehicle& v = placed[i];
            bool isolated = true;
            for (std::size_t j = 0; j < placed.size(); ++j) {
                if (j != i && std::hypot(placed[j].x - v.x, placed[j].y - v.y) < 45)
                    isolated = false;
            }
            if (!isolated) continue;
            EXPECT_EQ(at_map(v.x, v.y), glyph_rgb(app_->sim.network, colours, v.shape_id))
                << "vehicle of shape " << v.shape_id << " at (" << v.x << ", " << v.y << ")";
            (v.shape_id <= 8 ? featured : ordinary) += 1;
        }
        EXPECT_GT(featured, 0) << "no isolated vehicle of a featured shape to probe";
        EXPECT_GT(ordinary, 0) << "no isolated vehicle of an ordinary shape to probe";
    }
}

// Downtown centres (x_center, y_center - 750); a glyph there with heading 0
// points left, and only the large glyph covers the probed back-edge point.
TEST_F(RenderTest, DowntownCentreAndGlyphOrientation) {
    const Rgb white{255, 255, 255};
    const std::tuple<ColourScheme, int32_t, Rgb, bool> glyphs[] = {
        {ColourScheme::Auto, 1, {255, 198, 0}, true},         // the network chooses featured
        {ColourScheme::Featured, 10, {204, 102, 102}, false}, // the common glyph
        {ColourScheme::Lines, 1, {0xB3, 0x91, 0x07}, true},   // yellow metro, darkened
        {ColourScheme::Lines, 10, {0x9E, 0x95, 0x71}, false}, // pale yellow bus
    };
    for (const auto& [colours, shape_id, rgb, large] : glyphs) {
        SCOPED_TRACE(std::string(colours_value(colours)) + " " + std::to_string(shape_id));
        init(true, colours);
        const NetworkHeader& h = *app_->sim.network.header;
        const float px = static_cast<float>(h.x_center), py = static_cast<float>(h.y_center - 750);
        draw_map_layer(app_->view, h);
        begin_vehicle_batch();
        draw_vehicle_glyph(app_->palette, px, py, 0.0f, shape_id);
        end_vehicle_batch();
        end_map_layer();
        pixels_ = read_rgb_pixels(egl_);

        EXPECT_EQ(at(kWidth / 2, kHeight / 2), rgb) << "screen centre";
        EXPECT_EQ(at_map(px - 17, py + 6), large ? rgb : white)
            << "back edge, wide: on the right of the screen";
        EXPECT_EQ(at_map(px - 7, py + 3), rgb) << "inside either glyph";
        EXPECT_EQ(at_map(px + 17, py + 6), white) << "front edge, narrow: on the left";
        EXPECT_GT(viewport(px - 17, py).x, kWidth / 2) << "map x grows to the left";
        // At four times the scale the line at x 3000 lies at 0.9 of the width.
        EXPECT_GT(count_in(1150, 100, 1154, 100, is_network_grey), 0);
    }
}

TEST_F(RenderTest, DrawTextCutsLongTextsAndIgnoresNull) {
    init(false);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    auto raster_x = [] {
        GLfloat position[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return position[0];
    };
    glRasterPos2f(10, 10);
    draw_text(app_->view.font_base, "%s", "M");
    const float advance = raster_x() - 10;
    ASSERT_GT(advance, 0.0f);

    glRasterPos2f(10, 100);
    draw_text(app_->view.font_base, nullptr);
    EXPECT_EQ(raster_x(), 10.0f) << "a null format draws nothing";

    const std::string long_text(1000, 'M');
    draw_text(app_->view.font_base, "%s", long_text.c_str());
    EXPECT_FLOAT_EQ(raster_x() - 10, 255 * advance) << "cut at 255 characters";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

struct PathCase {
    const char* name;
    bool downtown;
    int32_t width, height; // the drawable
    int32_t view_width, view_height, resized_width, resized_height;
    bool store; // the host offers a map store
    bool loses; // and the store's contents are lost after the loading frames
    ColourScheme literal_colours = ColourScheme::Auto, fast_colours = ColourScheme::Auto;
    std::vector<Viewport> viewports = {}; // one per monitor; none: the view
    double scale = 1.0;                   // the display's scale factor, for both
};

// One frame each: loading, a busy morning, the small hours with yesterday's
// runs, a Sunday morning, late on a Saturday.
constexpr int64_t kInstants[] = {
    kMondayMorning,         kMondayMorning,
    kMondayMorning,         kMondayMorning - 5 * 3600 - 900,
    kMondayMorning - 86400, kMondayMorning - 2 * 86400 + 15 * 3600 + 870};

// Two applications in lockstep on one context, literal and fast. The demo
// network chooses featured, so "auto" must draw exactly "featured"'s frames.
TEST(FramePaths, FastFramesArePixelIdenticalToLiteralFrames) {
    setenv("TZ", "UTC0", 1);
    tzset();
    // Two monitors of different sizes side by side; two set corner to corner.
    const std::vector<Viewport> two_sizes = {{0, 0, 800, 500}, {800, 150, 480, 350}};
    const std::vector<Viewport> corners = {{0, 400, 640, 400}, {640, 0, 640, 400}};
    const PathCase cases[] = {
        {"downtown without a store", true, 640, 400, 640, 400, 0, 0, false, false},
        {"a store that loses its contents", false, 640, 400, 640, 400, 0, 0, true, true},
        {"view smaller than the drawable, then resized to it", false, 1280, 800, 960, 600, 1280,
         800, true, false},
        {"downtown resized to a smaller view", true, 1280, 800, 1280, 800, 1000, 700, true, false},
        {"line colours", false, 1280, 800, 1280, 800, 0, 0, true, false, ColourScheme::Lines,
         ColourScheme::Lines},
        {"auto against featured", false, 1280, 800, 1280, 800, 0, 0, true, false,
         ColourScheme::Featured, ColourScheme::Auto},
        {"wide lines at twice the scale",
         false,
         1280,
         800,
         1280,
         800,
         0,
         0,
         true,
         false,
         ColourScheme::Auto,
         ColourScheme::Auto,
         {},
         2.0},
        {"two monitors of different sizes", false, 1280, 800, 1280, 800, 0, 0, true, false,
         ColourScheme::Auto, ColourScheme::Auto, two_sizes},
        {"downtown on two monitors without a store", true, 1280, 800, 1280, 800, 0, 0, false, false,
         ColourScheme::Auto, ColourScheme::Auto, corners},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        EglContext egl;
        std::string error;
        ASSERT_TRUE(create_egl_context(egl, c.width, c.height, error)) << error;
        int64_t now = 0;
        App apps[2];
        for (App& a : apps) {
            use_network(a.sim, compiled_network());
            a.platform.time_source = [&now] { return WallTime{now, 0}; };
            a.platform.make_font = make_linux_font;
            a.platform.display_scale = [&c] { return c.scale; };
        }
        App &literal = apps[0], &fast = apps[1];
        literal.path = FramePath::Literal;
        int frames = 0;
        if (c.store) {
            fast.platform.map_store = [&] {
                MapStore store = egl_map_store(egl);
                if (c.loses) store.lost = [&frames] { return frames > 3; };
                return store;
            };
        }
        init_app_view(literal, c.downtown, c.literal_colours, c.view_width, c.view_height);
        init_app_view(fast, c.downtown, c.fast_colours, c.view_width, c.view_height);
        for (App& a : apps)
            set_app_viewports(a, c.viewports);

        const auto compare_frames = [&](const char* when) {
            for (const int64_t instant : kInstants) {
                now = instant;
                run_frame(literal);
                const std::vector<uint8_t> expected = read_rgb_pixels(egl);
                run_frame(fast);
                ++frames;
                const std::vector<uint8_t> actual = read_rgb_pixels(egl);
                int differing = 0;
                for (std::size_t i = 0; i < expected.size(); i += 3)
                    differing += !std::equal(&expected[i], &expected[i] + 3, &actual[i]);
                EXPECT_EQ(differing, 0) << when << ", frame at " << instant;
                EXPECT_EQ(fast.sim.vehicle_count, literal.sim.vehicle_count);
            }
        };
        compare_frames("as created");
        EXPECT_GT(fast.sim.vehicle_count, 0);
        if (c.resized_width > 0) {
            for (App& a : apps)
                resize_app_view(a, c.resized_width, c.resized_height);
            compare_frames("after the resize");
        }
        // Each monitor shows the frame a view of its size alone shows, up to
        // the line smoothing's rounding at another place of the drawable.
        for (const Viewport& v : c.viewports) {
            App alone;
            use_network(alone.sim, compiled_network());
            alone.platform = literal.platform;
            init_app_view(alone, c.downtown, c.literal_colours, v.width, v.height);
            for (const int64_t instant : kInstants) {
                now = instant;
                run_frame(alone);
            }
            const std::vector<uint8_t> expected = read_rgb_pixels(egl);
            run_frame(fast);
            const std::vector<uint8_t> actual = read_rgb_pixels(egl);
            int differing = 0;
            for (int32_t y = 0; y < v.height; ++y) {
                const std::size_t row = static_cast<std::size_t>(c.height - 1 - y) * c.width;
                const std::size_t shifted = row - static_cast<std::size_t>(v.y) * c.width + v.x;
                for (std::size_t i = 0; i < static_cast<std::size_t>(v.width) * 3; ++i)
                    differing += std::abs(expected[row * 3 + i] - actual[shifted * 3 + i]) > 2;
            }
            EXPECT_EQ(differing, 0) << "in the viewport at " << v.x << ", " << v.y;
        }
        for (const MapCache& cache : fast.map_caches)
            EXPECT_EQ(cache.method,
                      c.store && !c.loses ? MapCacheMethod::Store : MapCacheMethod::Redraw);
        destroy_egl_context(egl);
    }
}

// The first full frame at the busy morning, `width` x `height` at `scale`.
std::vector<uint8_t> full_frame(int32_t width, int32_t height, double scale) {
    EglContext egl;
    std::string error;
    EXPECT_TRUE(create_egl_context(egl, width, height, error)) << error;
    App a;
    use_network(a.sim, compiled_network());
    a.platform.time_source = [] { return WallTime{kMondayMorning, 0}; };
    a.platform.make_font = make_linux_font;
    a.platform.display_scale = [scale] { return scale; };
    init_app_view(a, false, ColourScheme::Auto, width, height);
    while (!a.sim.loading.loading_complete)
        run_frame(a);
    run_frame(a);
    std::vector<uint8_t> pixels = read_rgb_pixels(egl);
    destroy_egl_context(egl);
    return pixels;
}

// Mean difference per channel between a W x H picture and a 2W x 2H one
// averaged down over 2 x 2 blocks.
double difference_from_halved(const std::vector<uint8_t>& small, const std::vector<uint8_t>& big,
                              int32_t width) {
    const std::size_t row = static_cast<std::size_t>(width) * 3; // bytes of a small row
    double total = 0;
    for (std::size_t i = 0; i < small.size(); ++i) {
        // The block's top left byte in the big picture: twice the row, twice the pixel.
        const std::size_t b = i / row * 4 * row + i % row / 3 * 6 + i % 3;
        const int sum = big[b] + big[b + 3] + big[b + 2 * row] + big[b + 2 * row + 3];
        total += std::abs((sum + 2) / 4 - small[i]);
    }
    return total / static_cast<double>(small.size());
}

// A view twice as wide and high at twice the scale looks like the view at
// scale 1 with twice the detail: halved, it differs from it by far less than
// the same view drawn with the sizes of scale 1 does.
TEST(Scale, TwiceTheScaleLooksLikeTheViewHalfItsSize) {
    setenv("TZ", "UTC0", 1);
    tzset();
    constexpr int32_t w = 640, h = 400;
    const std::vector<uint8_t> one = full_frame(w, h, 1.0);
    const double scaled = difference_from_halved(one, full_frame(2 * w, 2 * h, 2.0), w);
    const double unscaled = difference_from_halved(one, full_frame(2 * w, 2 * h, 1.0), w);
    std::printf("halved 2x against 1x, mean difference: %.3f at scale 2, %.3f at 1\n", scaled,
                unscaled);
    EXPECT_LT(scaled, 1.0);
    EXPECT_LT(scaled * 2, unscaled);
}

// Auto pacing changes when frames are drawn, never what: each of its frames
// is the frame the 10 ms tick draws at that instant, and between two of its
// frames in one second (the runs on the road are the same) no vehicle moves
// more than a quarter pixel. Downtown, where vehicles move fastest on screen;
// three seconds from mid-second, loading included,
// on a scripted clock.
TEST(FramePacing, AutoFramesArePixelIdenticalToEveryTickFrames) {
    setenv("TZ", "UTC0", 1);
    tzset();
    EglContext egl;
    std::string error;
    ASSERT_TRUE(create_egl_context(egl, 640, 400, error)) << error;
    const int64_t start = kMondayMorning * 1000 + 250, end = start + 3000;
    int64_t now = start;
    App apps[2];
    for (App& a : apps) {
        use_network(a.sim, compiled_network());
        a.platform.time_source = [&now] {
            return WallTime{now / 1000, static_cast<uint16_t>(now % 1000)};
        };
        a.platform.make_font = make_linux_font;
        a.pacing.pace = &a == &apps[0] ? Pace::EveryTick : Pace::Auto;
        init_app_view(a, true, ColourScheme::Auto, 640, 400);
    }
    App &tick = apps[0], &paced = apps[1];
    int tick_frames = 0, paced_frames = 0, differing = 0;
    std::vector<int64_t> seconds_drawn;
    std::vector<std::pair<float, float>> before, after; // vehicles of the last two frames
    int64_t before_at = 0;
    double farthest = 0.0; // pixels, between frames of one second
    const double pixels_per_unit =
        pixels_per_map_unit(*paced.sim.network.header, paced.view, 640, 400);
    for (int64_t next_tick = start, next_paced = start; next_paced <= end;) {
        now = std::min(next_tick, next_paced);
        run_frame(tick);
        ++tick_frames;
        if (now == next_tick) next_tick += 10;
        if (now != next_paced) continue;
        const std::vector<uint8_t> expected = read_rgb_pixels(egl);
        run_frame(paced);
        ++paced_frames;
        const std::vector<uint8_t> actual = read_rgb_pixels(egl);
        for (std::size_t i = 0; i < expected.size(); i += 3)
            differing += !std::equal(&expected[i], &expected[i] + 3, &actual[i]);
        if (now % 1000 == 0) seconds_drawn.push_back(now);
        after.clear();
        place_vehicles(paced.sim.network, paced.sim.loading.service_runs, paced.sim.run_index,
                       paced.sim.clock,
                       [&after](float x, float y, float, int32_t) { after.emplace_back(x, y); });
        if (paced.sim.loading.loading_complete && before_at / 1000 == now / 1000 &&
            before.size() == after.size()) {
            for (std::size_t i = 0; i < after.size(); ++i) {
                // Only what is drawn counts: a vehicle off the screen may race.
                const ViewportPoint p = map_to_viewport(*paced.sim.network.header, paced.view,
                                                        after[i].first, after[i].second, 640, 400);
                if (p.x < 0 || p.x > 640 || p.y < 0 || p.y > 400) continue;
                farthest = std::max(farthest, std::hypot(after[i].first - before[i].first,
                                                         after[i].second - before[i].second) *
                                                  pixels_per_unit);
            }
        }
        std::swap(before, after);
        before_at = now;
        next_paced += app_frame_delay(paced);
        EXPECT_EQ(app_frame_delay(tick), 10u);
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(farthest, 0.0);
    EXPECT_LE(farthest, 0.25 + 1e-3) << "pixels a vehicle moved between two auto frames";
    EXPECT_TRUE(paced.sim.loading.loading_complete);
    EXPECT_GT(paced.sim.vehicle_count, 0);
    EXPECT_LT(paced_frames * 3, tick_frames) << "auto draws far fewer frames";
    const std::vector<int64_t> seconds = {start - 250 + 1000, start - 250 + 2000,
                                          start - 250 + 3000};
    EXPECT_EQ(seconds_drawn, seconds) << "a frame as each second of the clock turns";
    destroy_egl_context(egl);
}

} // namespace
} // namespace zintu
