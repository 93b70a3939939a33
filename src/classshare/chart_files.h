// The chart library's files that the page loads beside its own: read once from where the
// system keeps them (Debian's package) or, on Windows, from beside the program.
#pragma once

#include <QString>
#include <vector>

#include "classshare/share_server.h"

namespace ClassShare {

// The folder the chart's files are read from.
QString ChartFolder();
// The chart's files as the server serves them; a file missing is served empty.
std::vector<PageFile> ChartFiles(const QString& folder = ChartFolder());

}  // namespace ClassShare
