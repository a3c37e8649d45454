#include "resources/manager_font.h"

#include "resources/path.h"

void Manager_Font::load()
{
    std::cout << " -- Chargement de la font : " << m_Path.back() << std::endl;
    m_Item.back()->loadFromFile(hostPath(m_Path.back()));
}
