#include "resources/atomicfile.h"

#include "resources/path.h"

#include <cstdio>
#include <fstream>

bool writeAtomically(const std::string& gamePath, const std::function<void(std::ostream&)>& write)
{
    const std::string target = hostPath(gamePath);
    const std::string partial = target + ".tmp";
    std::ofstream file(partial, std::ios::trunc);
    write(file);
    file.close();
    if (!file || std::rename(partial.c_str(), target.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}
