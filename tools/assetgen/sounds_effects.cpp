#include "assetgen.h"
#include "sounds.h"

void generateEffects(Output&)
{
}
