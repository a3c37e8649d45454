#include "resources/manager_font.h"

#include "resources/contentfile.h"

namespace {

const std::uintmax_t MAX_FONT_FILE_SIZE = 16u << 20;

} // namespace

void Manager_Font::load()
{
    const std::string& path = m_Path.back();
    std::cout << " -- Chargement de la font : " << path << std::endl;
    // The font reads its file as it draws: it is given the file, not a copy of it.
    if (isReadableContentFile(path, MAX_FONT_FILE_SIZE))
        m_Item.back()->loadFromFile(confinedHostPath(path));
    else
        reportRefusedFile("font", path);
}
