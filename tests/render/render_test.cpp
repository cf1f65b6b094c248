// Frames rendered on the headless host, checked with named pixel probes at
// places computed from the projection: the background, the network, vehicle
// glyphs and their orientation, the downtown view and the overlay's lines.
// A failing test saves the picture it saw under failures/.
#include "app/app.h"
#include "host/egl_context.h"
#include "host/linux_font.h"
#include "host/png_writer.h"
#include "render/font.h"
#include "render/gl.h"
#include "render/glyph_geometry.h"
#include "render/glyphs.h"
#include "render/map_view.h"
#include "render/overlay.h"
#include "render/overlay_text.h"
#include "sim/placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
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

Rgb style_rgb(int32_t shape_id) {
    const GlyphStyle& s = glyph_style(shape_id);
    return {static_cast<int>(std::lround(s.red * 255)),
            static_cast<int>(std::lround(s.green * 255)),
            static_cast<int>(std::lround(s.blue * 255))};
}

bool is_network_grey(const Rgb& c) {
    return c.r == c.g && c.g == c.b && c.r >= 200 && c.r < 250;
}
bool is_text_dark(const Rgb& c) {
    return c.r == c.g && c.g == c.b && c.r < 190;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
        std::string error;
        ASSERT_TRUE(create_egl_context(egl_, kWidth, kHeight, error)) << error;
        app_ = std::make_unique<App>();
        use_network(app_->sim, compiled_network());
        app_->platform.time_source = [] { return WallTime{kMondayMorning, 0}; };
        app_->platform.make_font = make_linux_font;
    }

    void TearDown() override {
        if (HasFailure() && !pixels_.empty()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::filesystem::create_directories(ZINTU_RENDER_FAILURES);
            const std::string path =
                std::string(ZINTU_RENDER_FAILURES) + "/" + info->name() + ".png";
            std::string error;
            write_png(path, kWidth, kHeight, pixels_, error);
            std::cerr << "actual picture saved as " << path << "\n";
        }
        destroy_egl_context(egl_);
    }

    void init(bool downtown) { init_app_view(*app_, downtown, kWidth, kHeight); }

    void frame() {
        run_frame(*app_);
        pixels_ = read_rgb_pixels(egl_);
    }

    // Frames until every run is built, then one more: the first full picture.
    void frames_until_loaded() {
        while (!app_->sim.loading.loading_complete)
            run_frame(*app_);
        frame();
    }

    // Pixel at column x from the left and row y from the bottom.
    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 3;
        return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
    }

    Rgb at_map(double map_x, double map_y) const {
        const ViewportPoint p =
            map_to_viewport(*app_->sim.network.header, app_->view, map_x, map_y, kWidth, kHeight);
        return at(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
    }

    // How many pixels of a window around a map point pass `test`.
    template <class Test>
    int count_near_map(double map_x, double map_y, int radius, Test test) const {
        const ViewportPoint p =
            map_to_viewport(*app_->sim.network.header, app_->view, map_x, map_y, kWidth, kHeight);
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

    // Dark text pixels in the box of overlay line `line` (0, 1, 2).
    int text_pixels(int line) const {
        const int baseline = static_cast<int>(overlay_baseline_fraction(line) * kHeight);
        const int left = static_cast<int>(overlay_layout().left / kOverlaySpan * kWidth);
        return count_in(left, baseline - 4, left + 200, baseline + 16, is_text_dark);
    }

    std::vector<Vehicle> vehicles() const {
        std::vector<Vehicle> placed;
        place_vehicles(app_->sim.network, app_->sim.loading.service_runs, app_->sim.clock,
                       [&](float x, float y, float heading, int32_t shape_id) {
                           placed.push_back({x, y, heading, shape_id});
                       });
        return placed;
    }

    EglContext egl_;
    std::unique_ptr<App> app_;
    std::vector<uint8_t> pixels_;
};

TEST_F(RenderTest, FirstFrameIsTheNetworkAloneWhileLoading) {
    init(false);
    frame();
    EXPECT_EQ(app_->sim.vehicle_count, 0);
    const struct {
        const char* name;
        double x, y;
    } empty[] = {{"north-east corner", 5500, 7600},
                 {"south-west open ground", 1300, 5300},
                 {"inside the loop", 3500, 5600}},
      lines[] = {{"east-west line", 4250, 7000},
                 {"north-south line", 3000, 6200},
                 {"loop's southern edge", 3500, 5200},
                 {"shape named by no row", 5800, 5200}};
    for (const auto& probe : empty) {
        EXPECT_EQ(count_near_map(probe.x, probe.y, 3,
                                 [](Rgb c) {
                                     return c != Rgb{255, 255, 255};
                                 }),
                  0)
            << probe.name << " should be white";
    }
    for (const auto& probe : lines) {
        EXPECT_GT(count_near_map(probe.x, probe.y, 1, is_network_grey), 0)
            << probe.name << " should show a light-grey line";
    }
    // No glyph colour anywhere: only greys.
    EXPECT_EQ(
        count_in(0, 0, kWidth - 1, kHeight - 1, [](Rgb c) { return c.r != c.g || c.g != c.b; }), 0);
    EXPECT_GT(text_pixels(0), 10) << "clock line";
    EXPECT_GT(text_pixels(1), 10) << "vehicle line";
    EXPECT_GT(text_pixels(2), 10) << "loading line";
}

TEST_F(RenderTest, GlyphsTakeTheirShapesColours) {
    init(false);
    frames_until_loaded();
    EXPECT_EQ(text_pixels(2), 0) << "the loading line is gone once loading is complete";
    EXPECT_GT(text_pixels(0), 10);

    const std::vector<Vehicle> placed = vehicles();
    ASSERT_FALSE(placed.empty());
    int featured = 0, ordinary = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Vehicle& v = placed[i];
        bool isolated = true;
        for (std::size_t j = 0; j < placed.size(); ++j) {
            if (j != i && std::hypot(placed[j].x - v.x, placed[j].y - v.y) < 45) isolated = false;
        }
        if (!isolated) continue;
        EXPECT_EQ(at_map(v.x, v.y), style_rgb(v.shape_id))
            << "vehicle of shape " << v.shape_id << " at (" << v.x << ", " << v.y << ")";
        (v.shape_id <= 8 ? featured : ordinary) += 1;
    }
    EXPECT_GT(featured, 0) << "no isolated vehicle of a featured shape to probe";
    EXPECT_GT(ordinary, 0) << "no isolated vehicle of an ordinary shape to probe";
}

// Downtown: the screen centre shows (x_center, y_center - 750); a glyph there
// with heading 0 has its wide back edge on the right and points left.
TEST_F(RenderTest, DowntownCentreAndGlyphOrientation) {
    init(true);
    const NetworkHeader& h = *app_->sim.network.header;
    const float px = static_cast<float>(h.x_center), py = static_cast<float>(h.y_center - 750);
    draw_map_layer(app_->view, h);
    begin_vehicle_batch();
    draw_vehicle_glyph(px, py, 0.0f, 1);
    end_vehicle_batch();
    end_map_layer();
    pixels_ = read_rgb_pixels(egl_);

    const Rgb yellow = style_rgb(1);
    EXPECT_EQ(at(kWidth / 2, kHeight / 2), yellow) << "screen centre";
    EXPECT_EQ(at_map(px - 17, py + 6), yellow) << "back edge, wide: on the right of the screen";
    EXPECT_EQ(at_map(px + 17, py + 6), (Rgb{255, 255, 255})) << "front edge, narrow: on the left";
    const ViewportPoint back = map_to_viewport(h, app_->view, px - 17, py, kWidth, kHeight);
    EXPECT_GT(back.x, kWidth / 2) << "map x grows to the left";
    // At four times the scale the north-south line at x 3000 lies 2000 units
    // right of the centre: 0.9 of the width.
    EXPECT_GT(count_in(1150, 100, 1154, 100, is_network_grey), 0);
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

} // namespace
} // namespace zintu
