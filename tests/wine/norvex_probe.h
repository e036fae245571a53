// A probe of norvex.dll as the program loads it: every export on deterministic pictures of each
// storage (bottom-up and top-down DIB sections, device-dependent bitmaps), whole pictures,
// sub-rectangles, clipped and overlapping ones, printed as one checksum a case. Built for Windows
// and for the simulated desktop, so that the two outputs can be compared line by line.
#pragma once

// Runs every case and prints "name result checksum" lines; returns the process exit code.
int run_norvex_probe();
