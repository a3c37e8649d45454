#include "core/application.h"
#include "core/version.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

int main()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    std::rand();
    std::cout << " *** Korvane - v." << KORVANE_VERSION << " :\n\n" << std::flush;

    Application application;
    application.init();
    application.loadOptions();
    application.start();
    return 0;
}
