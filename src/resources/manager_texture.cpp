#include "resources/manager_texture.h"

#include "resources/path.h"

void Manager_Texture::load()
{
    std::cout << " -- Chargement de l'image : " << m_Path.back() << std::endl;
    sf::Texture& texture = *m_Item.back();
    texture.loadFromFile(hostPath(m_Path.back()));
    texture.setSmooth(false);
    // Scrolling pictures slide their texture rectangle past the texture's edges.
    texture.setRepeated(true);
}
