#include "resources/path.h"

#include <algorithm>

std::string hostPath(const std::string& gamePath)
{
    std::string host = gamePath;
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}
