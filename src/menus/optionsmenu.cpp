#include "menus/optionsmenu.h"

#include "core/application.h"
#include "menus/keysmenu.h"
#include "menus/screen.h"
#include "resources/ressourcemanager.h"
#include "resources/text.h"

#include <algorithm>

const char* const OPTIONS_BUTTON = "data\\graphics\\window\\options\\bouton.png";

namespace {

const std::string FOLDER = "data\\graphics\\window\\options\\";
const char* const ROW_PICTURES[optionsLayout::ROW_COUNT] = {"musique.png", "sons.png", "pleinEcran.png", "fps.png",
                                                            "touches.png"};

enum Row
{
    MUSIC,
    SOUNDS,
    FULLSCREEN,
    FPS,
    KEYS,
    BACK
};

// A sound to hear the new volume by.
const char* const SAMPLE = "data\\sounds\\trigger.ogg";

int stepVolume(int volume, int step)
{
    return std::clamp(volume + step * Options::VOLUME_STEP, 0, 100);
}

bool isToggle(int row)
{
    return row == FULLSCREEN || row == FPS;
}

std::string valueOf(int row, const Options& options)
{
    if (row == MUSIC)
        return std::to_string(options.musicVolume) + " %";
    if (row == SOUNDS)
        return std::to_string(options.soundVolume) + " %";
    return (row == FULLSCREEN ? options.fullscreen : options.showFPS) ? "Oui" : "Non";
}

} // namespace

bool openSharedPage(RessourceManager* rm, int button, int controlsButton, int optionsButton)
{
    if (button == controlsButton)
        rm->getApplication().addGameState(new ScreenCommandes(rm));
    else if (button == optionsButton)
        rm->getApplication().addGameState(new OptionsMenu(rm));
    return button == controlsButton || button == optionsButton;
}

OptionsMenu::OptionsMenu(RessourceManager* rm) : GameState(rm, true, true), m_focus(rm)
{
    using namespace optionsLayout;
    m_background.setTexture(m_RManager->getTexture(FOLDER + "background.png"));
    for (int row = 0; row < ROW_COUNT; ++row) {
        m_rows[row].setTexture(m_RManager->getTexture(FOLDER + ROW_PICTURES[row]));
        m_rows[row].setPosition(ROW_LEFT, ROWS.at(row));
        m_focus.add(m_rows[row], row);
    }
    m_flecheBack.setTexture(m_RManager->getTexture("data\\graphics\\window\\flecheBack.png"));
    m_flecheBack.setPosition(5, 5);
    m_focus.add(m_flecheBack, ROW_COUNT);
    m_value.setFont(m_RManager->getFont("data\\fonts\\korvane.ttf"));
    m_value.setCharacterSize(20);
}

OptionsMenu::~OptionsMenu()
{
    m_RManager->killTexture(m_background.getTexture());
    for (const sf::Sprite& row : m_rows)
        m_RManager->killTexture(row.getTexture());
    m_RManager->killTexture(m_flecheBack.getTexture());
}

bool OptionsMenu::event(const sf::Event& event)
{
    const Input& input = m_RManager->getInput();
    if (input.released(event, Action::MenuBack)) {
        m_RManager->getApplication().popGameState();
        return true;
    }
    const int step = arrowStep(event);
    if (step != 0)
        change(m_focus.getFocus(), step);
    else
        press(m_focus.event(event), event);
    return true;
}

int OptionsMenu::arrowStep(const sf::Event& event) const
{
    const int focused = m_focus.getFocus();
    if (focused < MUSIC || focused >= KEYS)
        return 0;
    // A volume steps on each press and its key repeat; a switch flips when the arrow is
    // let go, once: held down, full screen would rebuild the window on every repeat.
    const Input& input = m_RManager->getInput();
    const auto begins = [&](Action action) {
        return isToggle(focused) ? input.released(event, action) : input.pressed(event, action);
    };
    if (begins(Action::MenuLeft))
        return -1;
    if (begins(Action::MenuRight))
        return 1;
    return 0;
}

void OptionsMenu::press(int row, const sf::Event& event)
{
    if (row == KEYS) {
        m_RManager->getApplication().addGameState(new KeysMenu(m_RManager));
    } else if (row == BACK) {
        m_RManager->getApplication().popGameState();
    } else if (row != MenuFocus::NONE) {
        const float middle = m_rows[row].getPosition().x + optionsLayout::VALUE_LEFT + optionsLayout::VALUE_WIDTH / 2;
        const bool lower = event.type == sf::Event::MouseButtonReleased && event.mouseButton.x < middle;
        change(row, lower ? -1 : 1);
    }
}

void OptionsMenu::change(int row, int step)
{
    Application& application = m_RManager->getApplication();
    Options options = application.getOptions();
    if (row == MUSIC)
        options.musicVolume = stepVolume(options.musicVolume, step);
    else if (row == SOUNDS)
        options.soundVolume = stepVolume(options.soundVolume, step);
    else if (row == FULLSCREEN)
        options.fullscreen = !options.fullscreen;
    else if (row == FPS)
        options.showFPS = !options.showFPS;
    application.setOptions(options);
    if (row == SOUNDS)
        m_RManager->playSound(SAMPLE);
}

void OptionsMenu::draw()
{
    using namespace optionsLayout;
    sf::RenderWindow& window = m_RManager->getWindow();
    const Options options = m_RManager->getApplication().getOptions();
    window.draw(m_background);
    for (int row = 0; row < ROW_COUNT; ++row) {
        window.draw(m_rows[row]);
        if (row == KEYS)
            continue;
        m_value.setString(toDisplayString(valueOf(row, options)));
        const sf::Vector2f at = m_rows[row].getPosition();
        centreText(m_value, {at.x + VALUE_LEFT, at.y, VALUE_WIDTH, ROW.height - 4});
        window.draw(m_value);
    }
    window.draw(m_flecheBack);
    m_focus.draw();
}
