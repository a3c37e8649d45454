#include "core/application.h"
#include "core/commandline.h"
#include "core/stopsignal.h"
#include "core/version.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

int main(int argc, char* argv[])
{
    const CommandLine line = readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::cout << line.error << std::flush;
        return 2;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    std::rand();
    std::cout << " *** Korvane - v." << KORVANE_VERSION << " :\n\n" << std::flush;

    catchStopSignals();
    Application application;
    application.init();
    application.loadOptions();
    if (!line.mapName.empty())
        application.startOnMap(line.mapName);
    application.start();
    return 0;
}
