// The webcam's frames as the capture driver hands them over: which video formats the reflection
// takes, and their rows copied into a 32-bit picture.
#pragma once

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>

// Uncompressed RGB of 24 or 32 bits per pixel.
bool is_rgb_frame_format(const BITMAPINFOHEADER& format);

// RGB, or the YUV format YUY2 of 16 bits per pixel, of a size a picture can have; any other format
// is not read.
bool is_usable_frame_format(const BITMAPINFOHEADER& format);

// The bytes one frame of the format takes: rows padded to four bytes.
size_t frame_size_in_bytes(const BITMAPINFOHEADER& format);

// Copies a frame of a usable format into top-down 0x00RRGGBB pixels, `target_stride` pixels from
// one row to the next. RGB rows are bottom-up when the height is positive, top-down when negative;
// YUY2 rows are top-down whatever the sign, as every YUV format is stored.
void copy_frame_pixels(const BITMAPINFOHEADER& format, const BYTE* frame, uint32_t* target, size_t target_stride);
