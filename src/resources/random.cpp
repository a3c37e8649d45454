#include "resources/random.h"

#include <cmath>
#include <cstdlib>

int random(int a, int b)
{
    const double r = std::rand() / (static_cast<double>(RAND_MAX) + 1.0);
    return a + static_cast<int>(std::floor((b - a + 1) * r));
}
