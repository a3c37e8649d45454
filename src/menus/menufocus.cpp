#include "menus/menufocus.h"

#include "graphics/nineslice.h"
#include "menus/collisions.h"
#include "resources/ressourcemanager.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

#include <algorithm>

namespace {

const char* const FRAME = "data\\graphics\\window\\focus.png";
// The frame's corners, and how far it stands out of the button's visible pixels.
const float FRAME_CORNER = 16.f;
const float FRAME_MARGIN = 10.f;

} // namespace

MenuFocus::MenuFocus(RessourceManager* rm) : m_RManager(rm), m_focus(NONE), m_frame(nullptr)
{
}

MenuFocus::~MenuFocus()
{
    if (m_frame)
        m_RManager->killTexture(m_frame);
}

void MenuFocus::add(const sf::Sprite& button, int row)
{
    m_buttons.push_back({&button, row, sf::Image(), nullptr, sf::FloatRect()});
}

bool MenuFocus::isShown(int button) const
{
    const sf::Sprite& sprite = *m_buttons[static_cast<std::size_t>(button)].sprite;
    return sprite.getTexture() && sprite.getTextureRect().width > 0 && sprite.getTextureRect().height > 0;
}

int MenuFocus::event(const sf::Event& event)
{
    const Input& input = m_RManager->getInput();
    if (event.type == sf::Event::MouseMoved) {
        const int pointed = pointedAt(event.mouseMove.x, event.mouseMove.y);
        if (pointed != NONE)
            m_focus = pointed;
    } else if (event.type == sf::Event::MouseButtonReleased) {
        for (int button = 0; button < static_cast<int>(m_buttons.size()); ++button) {
            if (isShown(button) &&
                collisionSourisSprite(event.mouseButton.x, event.mouseButton.y, *m_buttons[button].sprite)) {
                m_focus = button;
                return button;
            }
        }
    } else if (input.released(event, Action::MenuConfirm)) {
        return m_focus;
    } else if (input.pressed(event, Action::MenuUp)) {
        walk(-1, 0);
    } else if (input.pressed(event, Action::MenuDown)) {
        walk(1, 0);
    } else if (input.pressed(event, Action::MenuLeft)) {
        walk(0, -1);
    } else if (input.pressed(event, Action::MenuRight)) {
        walk(0, 1);
    }
    return NONE;
}

void MenuFocus::walk(int rows, int columns)
{
    if (m_focus == NONE) {
        const std::vector<int> shown = shownRows();
        if (!shown.empty())
            m_focus = inRow(shown.front(), 0);
        return;
    }
    const int row = m_buttons[m_focus].row;
    const int along = placeInRow(m_focus);
    if (rows != 0) {
        // Up from the first row is the last one, down from the last the first.
        const std::vector<int> shown = shownRows();
        const int count = static_cast<int>(shown.size());
        const int at = static_cast<int>(std::find(shown.begin(), shown.end(), row) - shown.begin());
        m_focus = inRow(shown[static_cast<std::size_t>(((at + rows) % count + count) % count)], along);
        return;
    }
    const int width = placeInRow(inRow(row, static_cast<int>(m_buttons.size()))) + 1;
    m_focus = inRow(row, ((along + columns) % width + width) % width);
}

std::vector<int> MenuFocus::shownRows() const
{
    std::vector<int> rows;
    for (int button = 0; button < static_cast<int>(m_buttons.size()); ++button)
        if (isShown(button))
            rows.push_back(m_buttons[button].row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int MenuFocus::placeInRow(int button) const
{
    int place = 0;
    for (int other = 0; other < button; ++other)
        if (isShown(other) && m_buttons[other].row == m_buttons[button].row)
            ++place;
    return place;
}

int MenuFocus::inRow(int row, int place) const
{
    int found = NONE;
    for (int button = 0; button < static_cast<int>(m_buttons.size()); ++button) {
        if (!isShown(button) || m_buttons[button].row != row)
            continue;
        found = button;
        if (place-- == 0)
            break;
    }
    return found;
}

int MenuFocus::pointedAt(int x, int y)
{
    for (int button = 0; button < static_cast<int>(m_buttons.size()); ++button)
        if (isShown(button) && collisionSourisPixels(x, y, *m_buttons[button].sprite, pixels(m_buttons[button])))
            return button;
    return NONE;
}

const sf::Image& MenuFocus::pixels(Button& button)
{
    const sf::Texture* texture = button.sprite->getTexture();
    if (button.pixelsOf == texture)
        return button.pixels;
    button.pixels = texture->copyToImage();
    button.pixelsOf = texture;
    // Button pictures have transparent margins: the frame goes round what shows.
    const sf::Vector2u size = button.pixels.getSize();
    unsigned left = size.x, top = size.y, right = 0, bottom = 0;
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            if (button.pixels.getPixel(x, y).a == 0)
                continue;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x + 1);
            bottom = std::max(bottom, y + 1);
        }
    }
    button.visible = right > left ? sf::FloatRect(static_cast<float>(left), static_cast<float>(top),
                                                  static_cast<float>(right - left), static_cast<float>(bottom - top))
                                  : sf::FloatRect(0, 0, static_cast<float>(size.x), static_cast<float>(size.y));
    return button.pixels;
}

int MenuFocus::getFocus() const
{
    return m_focus;
}

void MenuFocus::setFocus(int button)
{
    m_focus = button;
}

void MenuFocus::draw()
{
    if (m_focus == NONE || !isShown(m_focus))
        return;
    if (!m_frame)
        m_frame = &m_RManager->getTexture(FRAME);
    Button& button = m_buttons[m_focus];
    pixels(button);
    const sf::Vector2f at = button.sprite->getPosition();
    const sf::FloatRect area(at.x + button.visible.left - FRAME_MARGIN, at.y + button.visible.top - FRAME_MARGIN,
                             button.visible.width + 2 * FRAME_MARGIN, button.visible.height + 2 * FRAME_MARGIN);
    drawNineSlice(m_RManager->getWindow(), *m_frame, area, FRAME_CORNER);
}
