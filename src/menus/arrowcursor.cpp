#include "menus/arrowcursor.h"

#include "resources/ressourcemanager.h"

ArrowCursor::~ArrowCursor()
{
    release();
}

void ArrowCursor::show(RessourceManager* rm)
{
    if (m_RManager)
        return;
    m_RManager = rm;
    m_RManager->setMouseCursor("fleche");
}

void ArrowCursor::release()
{
    if (!m_RManager)
        return;
    m_RManager->deleteMouseCursor();
    m_RManager = nullptr;
}
