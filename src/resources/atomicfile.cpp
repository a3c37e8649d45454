#include "resources/atomicfile.h"

#include "resources/contentfile.h"

#include <cstdio>
#include <fstream>

bool writeAtomically(const std::string& gamePath, const std::function<void(std::ostream&)>& write)
{
    if (!isSaveFolderPath(gamePath))
        return false;
    const std::string target = confinedHostPath(gamePath);
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
