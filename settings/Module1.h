// Module1: the drawing of the colour picker: the colour square and the slider in the hue,
// saturation and brightness modes, the inverting markers over them, their sunken frames, and the
// split of a colour into its channels. Everything is drawn on the picker window's persistent image,
// from which the picker reads its colours back.
#pragma once

#include "platform/win32.h"
#include "runtime/program.h"

class frmColor;

// The module's values, one set per running program. Rectangles are in window pixels and name the
// last pixel inside as their right and bottom.
struct Module1Values {
    RECT squareRect {};
    RECT sliderRect {};
    // The centre of the square's marker.
    LONG markerX = 0;
    LONG markerY = 0;
    // The height of the slider's marker.
    float sliderY = 0;
    // The description of the 24-bit bottom-up images the square and the hue slider are built as.
    BITMAPINFOHEADER dibHeader {};
};

Module1Values& module1(runtime::Program& program);

// The square of the hue mode for the hue colour: white at the top left, the colour at the top
// right, black along the bottom. Also makes the colour the picker's preview.
void DrawHueSquare(frmColor& form, int red, int green, int blue);
// The square of the saturation mode: the hues from left to right at full saturation, darkening
// downwards to black.
void DrawSatSquare(frmColor& form);
// The square of the brightness mode: the hues from left to right at full brightness, fading
// downwards to white.
void DrawBrightSquare(frmColor& form);

// The slider of the saturation mode: the colour at the top, white at the bottom.
void DrawSatSlider(frmColor& form, int red, int green, int blue);
// The slider of the brightness mode: the colour at the top, black at the bottom.
void DrawBrightSlider(frmColor& form, int red, int green, int blue);

// Toggles the square's marker, a circle of radius 5 at (markerX, markerY), in invert mode.
void DrawPicker(frmColor& form);
// Toggles the slider's marker, two ticks beside the slider at height y, in invert mode.
void DrawSliderMarker(frmColor& form, int y);

// The sunken frames around the square and around the slider; each repaints the window.
void DrawSelFrame(frmColor& form);
void DrawMainFrame(frmColor& form);

// Puts the hue slider's image, 15 x 256 pixels of 24-bit bottom-up rows padded to 48 bytes, on the
// slider upside down (its first row at the top), then the slider's frame; the slider's marker is
// kept over it.
void DrawSliderImage(frmColor& form, const uint8_t* bytes);

// A colour's red, green and blue.
void SplitRGB(long colour, int& red, int& green, int& blue);
