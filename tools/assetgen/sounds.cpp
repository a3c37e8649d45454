#include "assetgen.h"

void generateSounds(Output&)
{
}
