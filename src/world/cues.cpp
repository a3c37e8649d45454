#include "world/cues.h"

#include "entities/scriptedentity.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "graphics/sprite.h"
#include "menus/layout.h"
#include "resources/ressourcemanager.h"
#include "world/map.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cmath>

namespace {

const sf::Color BAR_FRAME(20, 16, 36, 230);
const sf::Color BAR_FILL(255, 196, 64);
const sf::Color BAR_LAST_SECOND(255, 72, 72);
const float BAR_HEIGHT = 5.f;
// Scripts that activate scripts are followed this deep, as far as they can nest.
const int MAX_DEPTH = ScriptedEntity::MAX_NESTING;

// Seconds before a timed switch that is on undoes what it did; 0 for any other.
float undoneIn(const Trigger& trigger)
{
    return trigger.undoesOnExpiry() ? trigger.getTimeLeft() : 0.f;
}

void collectSpikes(Map& map, Entity* entity, std::vector<PicEntity*>& spikes, int depth)
{
    if (!entity || depth > MAX_DEPTH)
        return;
    if (auto* pics = dynamic_cast<PicEntity*>(entity)) {
        if (!pics->isDeadly() && std::find(spikes.begin(), spikes.end(), pics) == spikes.end())
            spikes.push_back(pics);
    } else if (auto* script = dynamic_cast<ScriptedEntity*>(entity)) {
        for (int id : script->getActivatedIds())
            collectSpikes(map, map.getEntity(id), spikes, depth + 1);
    }
}

} // namespace

LevelCues::LevelCues(RessourceManager* rm) : m_RManager(rm), m_key(rm), m_temps(0.f)
{
}

void LevelCues::update(float t)
{
    m_temps += t;
}

std::vector<PicEntity*> LevelCues::spikesRaisedAtExpiry(Map& map, const Trigger& trigger)
{
    std::vector<PicEntity*> spikes;
    if (undoneIn(trigger) > 0.f)
        collectSpikes(map, trigger.getDestination(), spikes, 0);
    return spikes;
}

void LevelCues::draw(Map& map, bool takesInput)
{
    for (auto& entry : map.getEntities()) {
        auto* trigger = dynamic_cast<Trigger*>(entry.second);
        const float left = trigger ? undoneIn(*trigger) : 0.f;
        if (left <= 0.f)
            continue;
        drawTimeLeft(*trigger, left / trigger->getDelay(), left <= WARNING_SECONDS);
        // On for the first half of each blink, counted back from the moment they rise.
        const bool blinkOn = std::fmod(left * BLINKS_PER_SECOND, 1.f) >= 0.5f;
        if (left <= WARNING_SECONDS && blinkOn)
            for (PicEntity* spikes : spikesRaisedAtExpiry(map, *trigger))
                drawRising(*spikes);
    }
    if (!takesInput)
        return;
    for (Entity* entity : map.touchedActivables())
        if (!entity->isActive()) // a switch that is on ignores the key
            drawKey(*entity);
}

void LevelCues::drawKey(Entity& entity)
{
    const std::vector<sf::Keyboard::Key>& keys = m_RManager->getInput().getBindings().keys(Action::Activate);
    if (keys.empty())
        return;
    const sf::FloatRect box = entity.getHitbox();
    const float bob = std::round(2.f * std::sin(m_temps * 4.f));
    const float width = m_key.widthOf(keys.front());
    m_key.draw(keys.front(),
               {std::round(box.left + (box.width - width) / 2.f), box.top - controlsLayout::KEY_HEIGHT - 8.f + bob});
}

void LevelCues::drawTimeLeft(Entity& trigger, float fraction, bool lastSecond)
{
    const sf::FloatRect box = trigger.getHitbox();
    sf::RectangleShape frame({box.width, BAR_HEIGHT});
    frame.setPosition(box.left, box.top + box.height + 2.f);
    frame.setFillColor(BAR_FRAME);
    sf::RectangleShape fill({std::max(0.f, (box.width - 2.f) * std::min(fraction, 1.f)), BAR_HEIGHT - 2.f});
    fill.setPosition(box.left + 1.f, box.top + box.height + 3.f);
    fill.setFillColor(lastSecond ? BAR_LAST_SECOND : BAR_FILL);
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(frame);
    window.draw(fill);
}

void LevelCues::drawRising(Entity& spikes)
{
    if (!spikes.hasSprite() || !spikes.isVisible())
        return;
    // The raised frame, see-through, over the retracted strip: what is about to come back.
    sf::Sprite ghost(spikes.getSprite());
    sf::IntRect frame = ghost.getTextureRect();
    frame.top = 0;
    ghost.setTextureRect(frame);
    ghost.setColor(sf::Color(255, 140, 140, 130));
    m_RManager->getWindow().draw(ghost);
}
