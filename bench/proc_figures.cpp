#include "bench/proc_figures.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

double CpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) return -1;
    // The command name, in parentheses, may hold blanks: count fields from its end.
    const auto close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = -1, stime = -1;
    for (int n = 3; fields >> field; ++n) {  // the field after the name is field 3
        if (n == 14) utime = std::stol(field);
        if (n == 15) {
            stime = std::stol(field);
            break;
        }
    }
    if (utime < 0 || stime < 0) return -1;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

long PeakResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}
