#include "menus/keysmenu.h"

#include "core/application.h"
#include "input/keys.h"
#include "menus/layout.h"
#include "resources/ressourcemanager.h"
#include "resources/text.h"

namespace {

const std::string FOLDER = "data\\graphics\\window\\options\\";
const unsigned NAME_SIZE = 17;
const unsigned NAME_SIZE_SMALLEST = 11;
const float NAME_MARGIN = 8.f; // the key's rim, left and right

} // namespace

KeysMenu::KeysMenu(RessourceManager* rm) : GameState(rm, true, true), m_focus(rm), m_waitingCell(MenuFocus::NONE)
{
    using namespace keysLayout;
    m_background.setTexture(m_RManager->getTexture(FOLDER + "clavier.png"));
    const Bindings& bindings = m_RManager->getInput().getBindings();
    for (std::size_t action = 0; action < REBINDABLE_COUNT; ++action) {
        for (std::size_t slot = 0; slot < bindings.keys(static_cast<Action>(action)).size(); ++slot) {
            m_cells.emplace_back(m_RManager->getTexture(FOLDER + "touche.png"));
            m_cells.back().setPosition(CELLS.at(slot), ROWS.at(action));
            m_cellKeys.push_back({static_cast<Action>(action), slot});
        }
    }
    // Added once the cells stay where they are in memory.
    for (std::size_t cell = 0; cell < m_cells.size(); ++cell)
        m_focus.add(m_cells[cell], static_cast<int>(indexOf(m_cellKeys[cell].action)));
    m_defaults.setTexture(m_RManager->getTexture(FOLDER + "defaut.png"));
    m_defaults.setPosition(DEFAULTS.left, DEFAULTS.top);
    m_focus.add(m_defaults, static_cast<int>(REBINDABLE_COUNT));
    m_flecheBack.setTexture(m_RManager->getTexture("data\\graphics\\window\\flecheBack.png"));
    m_flecheBack.setPosition(5, 5);
    m_focus.add(m_flecheBack, static_cast<int>(REBINDABLE_COUNT) + 1);
    m_waiting.setTexture(m_RManager->getTexture(FOLDER + "attente.png"));
    m_waiting.setPosition(WAITING.left, WAITING.top);
    m_keyName.setFont(m_RManager->getFont("data\\fonts\\korvane.ttf"));
    m_keyName.setCharacterSize(NAME_SIZE);
    m_keyName.setFillColor(sf::Color(20, 26, 58));
}

KeysMenu::~KeysMenu()
{
    m_RManager->killTexture(m_background.getTexture());
    for (const sf::Sprite& cell : m_cells)
        m_RManager->killTexture(cell.getTexture());
    m_RManager->killTexture(m_defaults.getTexture());
    m_RManager->killTexture(m_flecheBack.getTexture());
    m_RManager->killTexture(m_waiting.getTexture());
}

bool KeysMenu::event(const sf::Event& event)
{
    if (m_waitingCell != MenuFocus::NONE)
        return waitForKey(event);
    Application& application = m_RManager->getApplication();
    if (m_RManager->getInput().released(event, Action::MenuBack)) {
        application.popGameState();
        return true;
    }
    const int chosen = m_focus.event(event);
    const int cells = static_cast<int>(m_cells.size());
    if (chosen >= 0 && chosen < cells)
        m_waitingCell = chosen;
    else if (chosen == cells)
        changeBindings(Bindings());
    else if (chosen == cells + 1)
        application.popGameState();
    return true;
}

bool KeysMenu::waitForKey(const sf::Event& event)
{
    const Input& input = m_RManager->getInput();
    // Escape, the pad's back button or a click leave the key as it was.
    const bool cancel = (event.type == sf::Event::KeyReleased && event.key.code == sf::Keyboard::Escape) ||
                        input.released(event, Action::MenuBack) || event.type == sf::Event::MouseButtonReleased;
    if (cancel) {
        m_waitingCell = MenuFocus::NONE;
    } else if (event.type == sf::Event::KeyReleased && canBeBound(event.key.code)) {
        const Cell& cell = m_cellKeys[static_cast<std::size_t>(m_waitingCell)];
        Bindings bindings = input.getBindings();
        bindings.rebind(cell.action, cell.slot, event.key.code);
        changeBindings(bindings);
        m_waitingCell = MenuFocus::NONE;
    }
    return true;
}

void KeysMenu::changeBindings(const Bindings& bindings)
{
    Application& application = m_RManager->getApplication();
    Options options = application.getOptions();
    options.bindings = bindings;
    application.setOptions(options);
}

int KeysMenu::getWaitingCell() const
{
    return m_waitingCell;
}

void KeysMenu::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(m_background);
    const Bindings& bindings = m_RManager->getInput().getBindings();
    for (std::size_t cell = 0; cell < m_cells.size(); ++cell) {
        window.draw(m_cells[cell]);
        const bool waiting = static_cast<int>(cell) == m_waitingCell;
        const Cell& key = m_cellKeys[cell];
        m_keyName.setString(waiting ? sf::String("...")
                                    : toDisplayString(keyLabel(bindings.keys(key.action)[key.slot])));
        // Long names ("Retour arrière", "Système gauche") are written smaller to stay on the key.
        fitTextWidth(m_keyName, keysLayout::CELL.width - 2 * NAME_MARGIN, NAME_SIZE, NAME_SIZE_SMALLEST);
        const sf::Vector2f at = m_cells[cell].getPosition();
        centreText(m_keyName, {at.x, at.y, keysLayout::CELL.width, keysLayout::CELL.height - 4.f});
        window.draw(m_keyName);
    }
    window.draw(m_defaults);
    window.draw(m_flecheBack);
    m_focus.draw();
    if (m_waitingCell != MenuFocus::NONE)
        window.draw(m_waiting);
}
