#include "menus/keycap.h"

#include "graphics/nineslice.h"
#include "input/keys.h"
#include "menus/layout.h"
#include "resources/ressourcemanager.h"
#include "resources/text.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>

namespace {

const char* const KEY = "data\\graphics\\window\\commandes\\touche.png";
const float KEY_CORNER = 9.f; // the picture's corners, never stretched
const float HEIGHT = controlsLayout::KEY_HEIGHT;

} // namespace

KeyCap::KeyCap(RessourceManager* rm) : m_RManager(rm), m_key(&rm->getTexture(KEY))
{
    m_name.setFont(m_RManager->getFont("data\\fonts\\korvane.ttf"));
    m_name.setCharacterSize(13);
    m_name.setFillColor(sf::Color(20, 26, 58));
}

KeyCap::~KeyCap()
{
    m_RManager->killTexture(m_key);
}

float KeyCap::widthOf(sf::Keyboard::Key key)
{
    m_name.setString(toDisplayString(keyLabel(key)));
    return std::max(HEIGHT, std::round(m_name.getLocalBounds().width) + 14.f);
}

float KeyCap::draw(sf::Keyboard::Key key, sf::Vector2f at)
{
    const float width = widthOf(key);
    sf::RenderWindow& window = m_RManager->getWindow();
    drawNineSlice(window, *m_key, {at.x, at.y, width, HEIGHT}, KEY_CORNER);
    centreText(m_name, {at.x, at.y, width, HEIGHT - 4.f}); // above the key's side
    window.draw(m_name);
    return width;
}
