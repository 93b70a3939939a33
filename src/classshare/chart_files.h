// The chart library's files that the page loads beside its own (uPlot), compiled into the
// program with the page.
#pragma once

#include <vector>

#include "classshare/share_server.h"

namespace ClassShare {

// The chart's files as the server serves them: uPlot.iife.min.js and uPlot.min.css.
std::vector<PageFile> ChartFiles();

}  // namespace ClassShare
