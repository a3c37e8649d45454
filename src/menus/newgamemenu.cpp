#include "menus/newgamemenu.h"

#include "core/application.h"
#include "core/gamesize.h"
#include "resources/ressourcemanager.h"
#include "resources/savefile.h"
#include "resources/text.h"
#include "world/campaign.h"
#include "world/map.h"

#include <SFML/Window/Event.hpp>

#include <cmath>

namespace {

const char* const QUESTION = "Écraser cette sauvegarde ? Cliquez encore (ou Entrée) pour confirmer";
const sf::Color WARNING(255, 140, 40);
const float FRAME_WIDTH = 4.f;
const float QUESTION_TOP = 152.f;

} // namespace

NewGameMenu::NewGameMenu(RessourceManager* rm)
    : SlotMenu(rm, "data\\graphics\\window\\newGameMenu\\background.png", true),
      m_aConfirmer(-1)
{
    m_cadre.setFillColor(sf::Color::Transparent);
    m_cadre.setOutlineColor(WARNING);
    m_cadre.setOutlineThickness(FRAME_WIDTH);
    m_question.setFont(m_RManager->getFont("data\\fonts\\korvane.ttf"));
    m_question.setCharacterSize(18);
    m_question.setFillColor(WARNING);
    m_question.setOutlineColor(sf::Color::Black);
    m_question.setOutlineThickness(2.f);
    m_question.setString(toDisplayString(QUESTION));
    // Centred above the three slots, between the menu's title and its panel.
    const sf::FloatRect text = m_question.getLocalBounds();
    m_question.setPosition(std::floor(GAME_WIDTH / 2.f - text.width / 2 - text.left), QUESTION_TOP);
}

void NewGameMenu::chooseSlot(unsigned slot)
{
    // A file that names no map holds nothing to resume: the slot shows as empty and takes a game at once.
    if (!m_slot_map[slot].empty())
        askConfirmation(slot);
    else
        startGame(slot);
}

void NewGameMenu::askConfirmation(unsigned slot)
{
    m_aConfirmer = static_cast<int>(slot);
    const sf::FloatRect icon = m_slot_icon[slot].getGlobalBounds();
    m_cadre.setPosition(icon.left, icon.top);
    m_cadre.setSize({icon.width, icon.height});
}

void NewGameMenu::startGame(unsigned slot)
{
    play(new Map(m_RManager, FIRST_MAP, slotPath(slot), nullptr));
}

bool NewGameMenu::event(const sf::Event& event)
{
    if (m_aConfirmer < 0)
        return SlotMenu::event(event);
    // Waiting for confirmation: the same slot chosen again (clicked, or confirmed while
    // still chosen) overwrites it. Escape, the pad's back button or walking to another
    // button cancels; a click elsewhere, or confirming another button, cancels and then
    // does what it does (another slot, the back arrow).
    const Input& input = m_RManager->getInput();
    const int before = m_focus.getFocus();
    const int chosen = m_focus.event(event);
    const bool decided = event.type == sf::Event::MouseButtonReleased || input.released(event, Action::MenuConfirm);
    const bool walkedAway = !decided && event.type != sf::Event::MouseMoved && m_focus.getFocus() != before;
    if (input.released(event, Action::MenuBack) || walkedAway) {
        m_aConfirmer = -1;
    } else if (decided) {
        const int slot = m_aConfirmer;
        m_aConfirmer = -1;
        if (chosen == slot)
            startGame(static_cast<unsigned>(slot));
        else
            press(chosen); // may remove this menu: nothing of it is touched after
    }
    return true;
}

void NewGameMenu::draw()
{
    SlotMenu::draw();
    if (m_aConfirmer < 0)
        return;
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_cadre);
    window.draw(m_question);
}

int NewGameMenu::getSlotToConfirm() const
{
    return m_aConfirmer;
}
