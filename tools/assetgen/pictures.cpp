#include "art.h"

void generatePictures(Output& out)
{
    if (!typesetter().ready())
        return;
    generateMenus(out);
    generateSlotMenus(out);
    generateLevels(out);
    generateHud(out);
    generateDialogue(out);
    generateControls(out);
}
