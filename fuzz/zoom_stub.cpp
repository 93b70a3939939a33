// The fuzz targets read customization files without a window: a factor the file asks for
// has no window to zoom.
#include "zoom/zoom.h"

void SetZoom(double) {}
