// The main window's placement rules: its normal rectangle and show state from the stored values, the first-start
// centring and the message window's size.
#pragma once

#include "core/configuration.h"
#include "core/pixel_rect.h"

#include <span>

namespace lumetra::app {

using core::PixelRect;

// Show states of the placement: 1 normal, 2 minimised, 3 maximised.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimised = 2;
inline constexpr int kShowMaximised = 3;

// The normal rectangle `Left`, `Top`, `Right`, `Bottom` (right and bottom exclusive); while `FirstSetup` is 0 it
// is centred in `screen`. An empty or inverted rectangle takes the default size.
PixelRect normalWindowRect(const core::WindowLayout& layout, const PixelRect& screen);
// A rectangle with a useful part (kMinimumVisibleWidth x kMinimumVisibleHeight, or all of a smaller window) on one
// of `screens` stays where it is. Otherwise, as after a monitor was unplugged, it moves to the centre of
// `primary`, shrunk to fit.
inline constexpr int kMinimumVisibleWidth = 100;
inline constexpr int kMinimumVisibleHeight = 50;
PixelRect keepOnScreens(const PixelRect& rect, std::span<const PixelRect> screens, const PixelRect& primary);

// Only the maximised state is restored; a window closed while minimised, or stored hidden, opens normally: a
// start that shows no window looks like a start that failed.
bool opensMaximised(const core::WindowLayout& layout);
int showCmdOf(bool maximised, bool minimised);
// Stores a captured normal rectangle and show state into the layout.
void capturePlacement(core::WindowLayout& layout, const PixelRect& normal, int showCmd);

struct PixelSize {
    int width = 0;
    int height = 0;

    bool operator==(const PixelSize&) const = default;
};

// `MsgWndCX` x `MsgWndCY` when both are at least 1, otherwise a quarter of the client width and a sixth of its
// height.
PixelSize messageWindowSize(const core::WindowLayout& layout, const PixelSize& client);

} // namespace lumetra::app
