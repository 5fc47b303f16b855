#include "workstation/ProcessorUse.h"

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace rw {

namespace {

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

float processorUseOfProcess(std::int32_t pid) {
    if (pid <= 0) return 0.0f;
    const std::string stat = firstLine("/proc/" + std::to_string(pid) + "/stat");
    // The command name may hold spaces and parentheses: the fields start after the last ')'.
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return 0.0f;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    double utime = 0, stime = 0, started = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i) {  // field 3 is the state
        if (i == 14) utime = std::stod(field);
        else if (i == 15) stime = std::stod(field);
        else if (i == 22) started = std::stod(field);
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    std::istringstream uptimeText(firstLine("/proc/uptime"));
    double uptime = 0;
    if (ticks <= 0 || !(uptimeText >> uptime)) return 0.0f;
    const double elapsed = uptime - started / static_cast<double>(ticks);
    if (elapsed <= 0) return 0.0f;
    return static_cast<float>((utime + stime) / static_cast<double>(ticks) / elapsed * 100.0);
}

}  // namespace rw
