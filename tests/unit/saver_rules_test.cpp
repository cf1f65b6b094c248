// The Linux saver's decisions: the pointer threshold and the other closing
// rules, the frame timer's deadlines, the window to draw into, which X errors
// mean the window is gone, and the GLX configuration chosen.
#include "host/glx_config.h"
#include "host/linux_saver_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace zintu {
namespace {

TEST(MouseMove, ClosesOnlyBeyondFourPixelsFromTheReference) {
    struct Case {
        ScreenPoint saved, now;
        bool closes;
    } cases[] = {
        {{100, 100}, {100, 100}, false}, // a motion event without a move
        {{100, 100}, {103, 101}, false}, // 3 right, 1 down: 4
        {{100, 100}, {103, 102}, true},  // 3 right, 2 down: 5
        {{100, 100}, {104, 100}, false},
        {{100, 100}, {105, 100}, true},
        {{100, 100}, {96, 100}, false},
        {{100, 100}, {95, 100}, true},
        {{100, 100}, {98, 98}, false},
        {{100, 100}, {98, 97}, true},
        {{0, 0}, {-2, 3}, true},
        {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, true}, // no overflow
        {{INT32_MAX, 0}, {INT32_MAX - 4, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mouse_move_closes(c.saved, c.now), c.closes)
            << c.saved.x << "," << c.saved.y << " -> " << c.now.x << "," << c.now.y;
    }
}

TEST(MouseMove, SmallMovesAddUpFromTheSameReference) {
    // The reference never moves while the saver runs, so a walk of single
    // pixels closes on the fifth.
    const ScreenPoint saved{640, 400};
    int closed_at = 0;
    for (int step = 1; step <= 10 && closed_at == 0; ++step) {
        if (mouse_move_closes(saved, {640 + step, 400})) closed_at = step;
    }
    EXPECT_EQ(closed_at, 5);
}

TEST(SaverEvents, InputClosesOnlyTheSaversOwnWindow) {
    const ScreenPoint saved{10, 10}, far{20, 10}, near{12, 11};
    struct Case {
        SaverEvent event;
        ScreenPoint pointer;
        bool own_closes, adopted_closes;
    } cases[] = {
        {SaverEvent::KeyDown, saved, true, false},
        {SaverEvent::ButtonDown, saved, true, false},
        {SaverEvent::PointerMoved, far, true, false},
        {SaverEvent::PointerMoved, near, false, false},
        {SaverEvent::CloseRequest, saved, true, false},
        {SaverEvent::WindowDestroyed, saved, true, true},
        {SaverEvent::Signal, saved, true, true},
        {SaverEvent::Other, far, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(saver_event_closes(c.event, true, saved, c.pointer), c.own_closes)
            << static_cast<int>(c.event);
        EXPECT_EQ(saver_event_closes(c.event, false, saved, c.pointer), c.adopted_closes)
            << static_cast<int>(c.event);
    }
}

TEST(FrameTimer, LateTicksComeOnceAndTheGridHolds) {
    struct Case {
        int64_t deadline, fired, next;
    } cases[] = {
        {100, 100, 110},                    // on time
        {100, 103, 110},                    // a little late: the grid keeps its phase
        {100, 109, 110},   {100, 110, 120}, // started a period late: the tick of 110 is this one
        {100, 115, 120},   // 110 passed while waiting: it is this tick, not another
        {100, 1000, 1010}, // 90 grid points passed: still one tick, then on
        {100, 95, 110},    // early wake-ups never shorten the period
    };
    for (const Case& c : cases) {
        EXPECT_EQ(next_frame_deadline(c.deadline, c.fired, 10), c.next)
            << c.deadline << " fired " << c.fired;
    }
}

TEST(SaverTarget, CommandLineAndXScreenSaverWindow) {
    struct Case {
        WindowTarget requested;
        uint32_t id;
        const char* env;
        WindowTarget kind;
        uint32_t window;
        bool error;
    } cases[] = {
        {WindowTarget::Desktop, 0, nullptr, WindowTarget::Desktop, 0, false},
        {WindowTarget::Desktop, 0, "", WindowTarget::Desktop, 0, false},
        {WindowTarget::Desktop, 0, "0x400007", WindowTarget::Root, 0x400007, false},
        {WindowTarget::Root, 0, nullptr, WindowTarget::Root, 0, false},
        {WindowTarget::Root, 0, "4194311", WindowTarget::Root, 4194311, false},
        {WindowTarget::Root, 0, "junk", WindowTarget::Root, 0, true},
        {WindowTarget::Root, 0, "0", WindowTarget::Root, 0, true},
        {WindowTarget::WindowId, 77, "0x400007", WindowTarget::WindowId, 77, false},
        {WindowTarget::FullScreen, 0, "0x400007", WindowTarget::FullScreen, 0, false},
        {WindowTarget::FullScreen, 0, "junk", WindowTarget::FullScreen, 0, false},
    };
    for (const Case& c : cases) {
        const SaverTarget t = choose_saver_target(c.requested, c.id, c.env);
        const std::string what =
            std::to_string(static_cast<int>(c.requested)) + " " + (c.env ? c.env : "(unset)");
        EXPECT_EQ(t.error.empty(), !c.error) << what << ": " << t.error;
        if (c.error) continue;
        EXPECT_EQ(t.kind, c.kind) << what;
        EXPECT_EQ(t.window_id, c.window) << what;
    }
    EXPECT_TRUE(owns_window(WindowTarget::Desktop));
    EXPECT_TRUE(owns_window(WindowTarget::FullScreen));
    EXPECT_FALSE(owns_window(WindowTarget::Root));
    EXPECT_FALSE(owns_window(WindowTarget::WindowId));
}

TEST(XErrors, LostWindowErrors) {
    const int glx = 160;
    struct Case {
        int code, base;
        bool lost;
    } cases[] = {
        {kXBadWindow, glx, true},
        {kXBadDrawable, glx, true},
        {8 /* BadMatch */, glx, false},
        {10 /* BadAccess */, glx, false},
        {glx + kGlxBadDrawable, glx, true},
        {glx + kGlxBadWindow, glx, true},
        {glx + kGlxBadCurrentWindow, glx, true},
        {glx + kGlxBadCurrentDrawable, glx, true},
        {glx + 0 /* GLXBadContext */, glx, false},
        {glx + kGlxBadDrawable, -1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_lost_window_error(c.code, c.base), c.lost) << c.code;
    }
}

GlxConfigTraits config(int depth, int alpha = 0, int stencil = 0, uint32_t visual = 0x21) {
    GlxConfigTraits t;
    t.rgba = t.window = t.double_buffer = true;
    t.red = t.green = t.blue = 8;
    t.alpha = alpha;
    t.depth = depth;
    t.stencil = stencil;
    t.visual_id = visual;
    return t;
}

TEST(GlxConfig, NearestToDoubleBufferedRgb24WithDepth16) {
    GlxConfigTraits single = config(16);
    single.double_buffer = false;
    GlxConfigTraits pixmap_only = config(16);
    pixmap_only.window = false;
    GlxConfigTraits no_visual = config(16, 0, 0, 0);
    GlxConfigTraits slow = config(16);
    slow.slow = true;
    GlxConfigTraits accum = config(16);
    accum.accum = 64;
    GlxConfigTraits rgb565 = config(16);
    rgb565.red = rgb565.blue = 5;
    rgb565.green = 6;
    GlxConfigTraits deep_colour = config(16);
    deep_colour.red = deep_colour.green = deep_colour.blue = 10;

    struct Case {
        const char* what;
        std::vector<GlxConfigTraits> configs;
        uint32_t visual;
        int chosen;
    } cases[] = {
        {"none", {}, 0, -1},
        {"the exact request", {config(24, 8, 8), config(24), config(16), config(0)}, 0, 2},
        {"depth 24 over none", {config(0), config(24)}, 0, 1},
        {"no alpha and stencil before the depth's size", {config(16, 8, 8), config(24)}, 0, 1},
        {"single-buffered, pixmap-only, visual-less never",
         {single, pixmap_only, no_visual},
         0,
         -1},
        {"a slow config last", {slow, config(24, 8, 8)}, 0, 1},
        {"no accumulation buffer", {accum, config(24)}, 0, 1},
        {"8 bits a channel over 5-6-5", {rgb565, config(24, 8)}, 0, 1},
        {"24 colour bits over 30", {deep_colour, config(16)}, 0, 1},
        {"the window's visual only", {config(16, 0, 0, 0x21), config(24, 8, 8, 0x22)}, 0x22, 1},
        {"no config on the window's visual", {config(16, 0, 0, 0x21)}, 0x23, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(choose_glx_config(c.configs, c.visual), c.chosen) << c.what;
    }
}

} // namespace
} // namespace zintu
