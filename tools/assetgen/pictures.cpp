#include "assetgen.h"

void generatePictures(Output&)
{
}
