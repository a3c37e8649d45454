#include "resources/manager_soundbuffer.h"

#include "resources/path.h"

void Manager_SoundBuffer::load()
{
    std::cout << " -- Chargement du SoundBuffer : " << m_Path.back() << std::endl;
    m_Item.back()->loadFromFile(hostPath(m_Path.back()));
}
