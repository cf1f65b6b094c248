// Route colours made visible on the map's white background: a colour whose
// contrast with white is below 3:1 (relative luminance and contrast ratio as
// the web's accessibility guidelines define them) is darkened, keeping its
// hue, until it reaches 3:1; a route without a colour takes its kind's.
// Pure functions over 0xRRGGBB values.
#pragma once

#include "network/network.h"

#include <cstdint>

namespace zintu {

// The least contrast with the white background a vehicle's colour may have.
inline constexpr double kMinimumContrast = 3.0;

// Relative luminance of an 0xRRGGBB colour: 0 for black, 1 for white.
double relative_luminance(uint32_t rgb);

// Contrast ratio of an 0xRRGGBB colour against white, from 1 to 21.
double contrast_with_white(uint32_t rgb);

// The colour a route of `kind` gets when its feed names none. Every kind has
// its own, each at least 3:1 on white; a bus takes the common vehicle colour
// of the featured style, so a city of uncoloured buses looks as it always did.
// A value outside the kinds counts as a bus.
uint32_t default_route_colour(RouteKind kind);

// The colour a vehicle of a route is drawn in: `colour` (0xRRGGBB; any larger
// value, kNoRouteColour among them, is no colour and takes the kind's
// default), with every channel scaled down by one factor, the largest that
// brings the contrast with white to 3:1 or more. Uniform scaling keeps hue
// and saturation; a colour with enough contrast comes out unchanged.
uint32_t visible_route_colour(uint32_t colour, RouteKind kind);

} // namespace zintu
