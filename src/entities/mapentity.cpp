#include "entities/mapentity.h"

#include "graphics/sprite.h"
#include "player/player.h"
#include "resources/ressourcemanager.h"
#include "world/campaign.h"
#include "world/map.h"

namespace {

Sprite* vortexPicture(RessourceManager* rm, const char* file, float vGauche, int x, int y)
{
    Sprite* picture =
        new RepeatedSprite(rm->getTexture(std::string("data\\graphics\\map\\common\\") + file), 0.f, vGauche);
    picture->setPosition(static_cast<float>(x), static_cast<float>(y));
    return picture;
}

// Puts the character's centre on the vortex's centre.
void centrePlayerOn(RessourceManager* rm, const Sprite& vortex)
{
    Player& player = *rm->getMap()->getPlayer();
    const sf::IntRect frame = vortex.getTextureRect();
    const float cx = vortex.getPosition().x + frame.width / 2;
    const float cy = vortex.getPosition().y + frame.height / 2;
    const sf::FloatRect box = player.getHitbox();
    player.setPosition(static_cast<int>(cx - box.width / 2), static_cast<int>(cy - box.height / 2));
}

} // namespace

CurrentLevelVortex::CurrentLevelVortex(RessourceManager* rm, int x, int y)
    : Entity(rm, nullptr, HitboxType::None, x, y, EntityFlags())
{
    m_sprite = vortexPicture(rm, "currentLevelVortex.png", 100.f, x, y);
    centrePlayerOn(m_RManager, *m_sprite);
}

NextLevelVortex::NextLevelVortex(RessourceManager* rm, std::string nextLevelName, int x, int y)
    : Entity(rm, nullptr, HitboxType::SpriteFilled, x, y, EntityFlag::Solid),
      m_nextLevelName(std::move(nextLevelName)),
      m_signale(false)
{
    m_sprite = vortexPicture(rm, "nextLevelVortex.png", -100.f, x, y);
    refreshHitbox();
}

void NextLevelVortex::onCollision()
{
    // An exit to a map that cannot be opened leads nowhere: it stays a block, said once,
    // and the player goes on playing this map. The end of the campaign is no map.
    if (m_nextLevelName != CAMPAIGN_END && !Map::canOpen(m_nextLevelName)) {
        if (!m_signale)
            Map::traceUnopened(Map::mapFile(m_nextLevelName));
        m_signale = true;
        return;
    }
    centrePlayerOn(m_RManager, *m_sprite);
    m_RManager->getMap()->requestExit(m_nextLevelName);
}

const std::string& NextLevelVortex::getNextLevelName() const
{
    return m_nextLevelName;
}
