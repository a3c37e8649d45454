#include "sounds.h"

#include "assetgen.h"

#include <cstdlib>

void generateSounds(Output& out)
{
#ifndef _WIN32
    // Sound buffers go through OpenAL even when they are only written to disk; on a
    // build machine without a sound card its silent driver keeps them working.
    setenv("ALSOFT_DRIVERS", "null", 0);
#endif
    generateMusic(out);
    generateEffects(out);
}
