#pragma once
// The colour notations of today's stylesheets: OKLab and OKLCH over linear
// sRGB, reading any colour a stylesheet may hold (hexadecimal, rgb(), hsl(),
// oklab(), oklch(), the named colours), and the gamut mapping that brings a
// colour beyond sRGB back into it.
#include <optional>
#include <span>
#include <string_view>

#include "core/color/ColorMath.h"

struct TOKLab {
    double L = 0, a = 0, b = 0;
};

struct TOKLCh {
    double L = 0, C = 0, h = 0;
};

// sRGB channel values in 0..1 before they become bytes; beyond that range
// the colour lies outside sRGB.
struct TSrgbReal {
    double R = 0, G = 0, B = 0;
};

double SrgbToLinear(double channel);
double LinearToSrgb(double linear);

TOKLab ColorToOKLab(Rgb color);
TOKLab SrgbToOKLab(TSrgbReal srgb);
TSrgbReal OKLabToSrgb(TOKLab lab);
// Hue in degrees, 0 to below 360.
TOKLCh OKLabToOKLCh(TOKLab lab);
TOKLab OKLChToOKLab(TOKLCh lch);

// The colour of real sRGB channels. Channels that stay within half a step of
// 0..1, or whose clipping moves the colour no more than 0.005 in OKLab (the
// rounding of a written code), are clipped; beyond, the colour is outside
// sRGB and is brought in by reducing its OKLCH chroma at constant lightness
// and hue, as CSS Color 4 maps gamuts (a clip once within a just-noticeable
// OKLab distance of 0.02).
struct GamutMapped {
    Rgb color;
    bool outOfGamut = false;
};
GamutMapped MapIntoSrgb(TSrgbReal srgb);

// "#rgb", "#rgba", "#rrggbb", "#rrggbbaa", rgb()/rgba() and hsl()/hsla() with
// commas or spaces, numbers or percentages and hue units deg, grad, rad and
// turn, oklab(), oklch() and the named colours; letter case and surrounding
// blanks do not matter. Alpha is read but not kept.
struct CssColorReading {
    Rgb color;
    bool alphaIgnored = false;  // the text gave an alpha below one
    bool outOfGamut = false;
};
std::optional<CssColorReading> ReadCssColor(std::string_view text);

// True for a text that can only be meant as a stylesheet's colour: a function
// of the form "name(" or a named colour.
bool LooksLikeCssFunctionOrName(std::string_view text);

struct CssNamedColor {
    std::string_view name;
    Rgb color;
};
// The 148 named colours of CSS Color 4, in alphabetical order; "gray" and
// "grey" spellings both appear.
std::span<const CssNamedColor> CssNamedColors();
