// The classic sixteen colours that the customization file and the alert rules name by number.
#pragma once

#include "platform/colour.h"

// Colour of palette number n, 0..15. Callers check the range; out-of-range numbers are
// reduced modulo 16 here so that no caller can index outside the table.
Colour PaletteColour(int n);
