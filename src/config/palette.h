// The classic sixteen colours that the customization file and the alert rules name by number.
#pragma once

#include "platform/colour.h"

// Colour of palette number n, 0..15. Callers check the range; out-of-range numbers are
// reduced modulo 16 here so that no caller can index outside the table.
Colour PaletteColour(int n);

// True for the light colours of the palette (7, 10, 11, 14, 15), on which white text cannot
// be read; numbers are reduced as PaletteColour reduces them.
bool IsLightPaletteColour(int n);
