// The savers' decisions: pointer threshold, verification grace, closing
// events, frame deadlines, the target window, lost-window X errors, GLX config.
#include "app/saver_rules.h"
#include "host/glx_config.h"
#include "host/linux_saver_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

namespace zintu {
namespace {

TEST(MouseMove, ClosesOnlyBeyondFourPixelsFromTheReference) {
    // clang-format off
    const std::tuple<ScreenPoint, ScreenPoint, bool> cases[] = {
        {{100, 100}, {103, 101}, false}, {{100, 100}, {103, 102}, true}, // 3 + 1, 3 + 2
        {{100, 100}, {96, 100}, false},  {{100, 100}, {95, 100}, true},
        {{100, 100}, {98, 98}, false},   {{100, 100}, {98, 97}, true},
        {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, true}, // no overflow
        {{INT32_MAX, 0}, {INT32_MAX - 4, 0}, false},
    };
    // clang-format on
    for (const auto& [saved, now, closes] : cases)
        EXPECT_EQ(mouse_move_closes(saved, now), closes) << now.x << "," << now.y;
}

TEST(VerifyGrace, FollowsTheLastVerificationAcrossTheWrap) {
    // clang-format off
    const std::tuple<uint32_t, uint32_t, bool> cases[] = { // now, last end, refused
        {1000, kNeverVerified, false}, {1000, 1000, true}, {1199, 1000, true}, {1200, 1000, false},
        {50, 0xFFFFFFF0u, true}, {300, 0xFFFFFFF0u, false}, // 66 and 316 ms across the wrap
        {999, 1000, false}, // a clock that went back counts as long ago
    };
    // clang-format on
    for (const auto& [now, last_end, refused] : cases)
        EXPECT_EQ(within_verify_grace(now, last_end), refused) << now << " " << last_end;
}

TEST(SaverEvents, InputClosesOnlyTheSaversOwnWindow) {
    const ScreenPoint saved{10, 10}, far{20, 10}, near{12, 11};
    using enum SaverEvent;
    const std::tuple<SaverEvent, ScreenPoint, bool, bool> cases[] = {
        // own, adopted window closes
        {KeyDown, saved, true, false},      {ButtonDown, saved, true, false},
        {PointerMoved, far, true, false},   {PointerMoved, near, false, false},
        {CloseRequest, saved, true, false}, {WindowDestroyed, saved, true, true},
        {Signal, saved, true, true},        {Other, far, false, false},
    };
    for (const auto& [event, pointer, own, adopted] : cases) {
        EXPECT_EQ(saver_event_closes(event, true, saved, pointer), own) << int(event);
        EXPECT_EQ(saver_event_closes(event, false, saved, pointer), adopted) << int(event);
    }
}

TEST(FrameTimer, LateTicksComeOnceAndTheGridHolds) {
    const std::tuple<int64_t, int64_t, int64_t> cases[] = {
        // deadline, fired, next
        {100, 100, 110},   {100, 103, 110}, // on time; a little late, the grid keeps its phase
        {100, 109, 110},   {100, 110, 120}, // started a period late: the tick of 110 is this one
        {100, 1000, 1010},                  // 90 grid points passed: still one tick, then on
        {100, 95, 110},                     // early wake-ups never shorten the period
    };
    for (const auto& [deadline, fired, next] : cases)
        EXPECT_EQ(next_frame_deadline(deadline, fired, 10), next) << deadline << " " << fired;
}

TEST(SaverTarget, CommandLineAndXScreenSaverWindow) {
    using enum WindowTarget;
    // clang-format off
    const std::tuple<WindowTarget, uint32_t, const char*, WindowTarget, uint32_t, bool> cases[] = {
        // requested, id, $XSCREENSAVER_WINDOW; chosen, window, error
        {Desktop, 0, nullptr, Desktop, 0, false},        {Desktop, 0, "", Desktop, 0, false},
        {Desktop, 0, "0x400007", Root, 0x400007, false}, {Root, 0, nullptr, Root, 0, false},
        {Root, 0, "4194311", Root, 4194311, false},      {Root, 0, "junk", Root, 0, true},
        {Root, 0, "0", Root, 0, true},                   {WindowId, 77, "0x0", WindowId, 77, false},
        {FullScreen, 0, "junk", FullScreen, 0, false},
    };
    // clang-format on
    for (const auto& [requested, id, env, kind, window, error] : cases) {
        const SaverTarget t = choose_saver_target(requested, id, env);
        const std::string what = std::to_string(int(requested)) + " " + (env ? env : "(unset)");
        EXPECT_EQ(t.error.empty(), !error) << what << ": " << t.error;
        if (error) continue;
        EXPECT_EQ(std::tie(t.kind, t.window_id), std::tie(kind, window)) << what;
    }
    EXPECT_EQ(std::make_tuple(owns_window(Desktop), owns_window(FullScreen), owns_window(Root),
                              owns_window(WindowId)),
              std::make_tuple(true, true, false, false));
}

TEST(XErrors, LostWindowErrors) {
    // Error codes as the X and GLX protocols number them, GLX's from a base.
    // clang-format off
    const std::tuple<int, int, bool> cases[] = {
        {3 /* BadWindow */, 160, true},           {9 /* BadDrawable */, 160, true},
        {8 /* BadMatch */, 160, false},           {10 /* BadAccess */, 160, false},
        {160 + 2 /* GLXBadDrawable */, 160, true}, {160 + 5 /* GLXBadCurrentWindow */, 160, true},
        {160 + 11 /* GLXBadCurrentDrawable */, 160, true}, {160 + 12 /* GLXBadWindow */, 160, true},
        {160 + 0 /* GLXBadContext */, 160, false}, {160 + 2, -1 /* no GLX */, false},
    };
    // clang-format on
    for (const auto& [code, base, lost] : cases)
        EXPECT_EQ(is_lost_window_error(code, base), lost) << code;
}

// Double-buffered RGB888 for windows with the given buffers, then `change`.
GlxConfigTraits config(int depth, int alpha = 0, int stencil = 0, uint32_t visual = 0x21,
                       void (*change)(GlxConfigTraits&) = nullptr) {
    GlxConfigTraits t;
    t.rgba = t.window = t.double_buffer = true;
    t.red = t.green = t.blue = 8;
    std::tie(t.alpha, t.depth, t.stencil, t.visual_id) = std::tie(alpha, depth, stencil, visual);
    if (change) change(t);
    return t;
}

// The exact request, double-buffered RGB888 with a 16-bit depth, changed.
GlxConfigTraits changed(void (*change)(GlxConfigTraits&)) {
    return config(16, 0, 0, 0x21, change);
}

TEST(GlxConfig, NearestToDoubleBufferedRgb24WithDepth16) {
    using T = GlxConfigTraits;
    // clang-format off
    const std::tuple<const char*, std::vector<GlxConfigTraits>, uint32_t, int> cases[] = {
        {"none", {}, 0, -1},
        {"the exact request", {config(24, 8, 8), config(24), config(16), config(0)}, 0, 2},
        {"depth 24 over none", {config(0), config(24)}, 0, 1},
        {"no alpha and stencil before the depth's size", {config(16, 8, 8), config(24)}, 0, 1},
        {"single-buffered, pixmap-only, visual-less never",
         {changed([](T& t) { t.double_buffer = false; }), changed([](T& t) { t.window = false; }),
          config(16, 0, 0, 0)}, 0, -1},
        {"a slow config last", {changed([](T& t) { t.slow = true; }), config(24, 8, 8)}, 0, 1},
        {"no accumulation buffer", {changed([](T& t) { t.accum = 64; }), config(24)}, 0, 1},
        {"8 bits a channel over 5-6-5",
         {changed([](T& t) { t.red = t.blue = 5, t.green = 6; }), config(24, 8)}, 0, 1},
        {"24 colour bits over 30",
         {changed([](T& t) { t.red = t.green = t.blue = 10; }), config(16)}, 0, 1},
        {"the window's visual only", {config(16, 0, 0, 0x21), config(24, 8, 8, 0x22)}, 0x22, 1},
        {"no config on the window's visual", {config(16, 0, 0, 0x21)}, 0x23, -1},
    };
    // clang-format on
    for (const auto& [what, configs, visual, chosen] : cases)
        EXPECT_EQ(choose_glx_config(configs, visual), chosen) << what;
}

} // namespace
} // namespace zintu
