#include "minigames/consoleminigame.h"

#include "core/application.h"
#include "core/gamesize.h"
#include "resources/random.h"
#include "resources/ressourcemanager.h"
#include "resources/text.h"
#include "resources/trace.h"
#include "world/map.h"

#include <algorithm>
#include <iostream>
#include <vector>

namespace {

constexpr char PROMPT[] = "\n>: ";
// What the input line holds besides the digits typed: the prompt after its line break, and the
// cursor (the array's size counts the line break and the final NUL).
constexpr int PROMPT_WIDTH = static_cast<int>(sizeof PROMPT) - 2 + 1;
// The characters of a line and the lines the screen shows before the oldest scroll away.
const int LINE_WIDTH = 65;
const int LINE_COUNT = 21;
// The cursor shows, then hides, for this long each.
const float BLINK_PERIOD = 0.5f;

// The digit of a key of the top row or the keypad, or -1.
int digitOf(sf::Keyboard::Key key)
{
    if (key >= sf::Keyboard::Num0 && key <= sf::Keyboard::Num9)
        return key - sf::Keyboard::Num0;
    if (key >= sf::Keyboard::Numpad0 && key <= sf::Keyboard::Numpad9)
        return key - sf::Keyboard::Numpad0;
    return -1;
}

} // namespace

int digitCountInRange(int count, int low, int high)
{
    const int kept = std::clamp(count, low, high);
    if (kept != count)
        trace(" -*- Nombre de chiffres hors limites : " + std::to_string(count), "ramene a " + std::to_string(kept));
    return kept;
}

ConsoleMinigame::ConsoleMinigame(RessourceManager* rm)
    : GameState(rm, true, false),
      tiretAffiche(true),
      m_termine(false),
      m_peuxRentrerNb(true),
      m_peuxRentrerChar(true),
      delaiTiret(BLINK_PERIOD),
      tailleLigneMax(LINE_WIDTH),
      nbLigneMax(LINE_COUNT),
      m_background(new Sprite(rm->getTexture("data\\graphics\\window\\console\\background.png"))),
      m_padDigit(-1)
{
    const sf::IntRect frame = m_background->getTextureRect();
    const float x = static_cast<float>(GAME_WIDTH / 2 - frame.width / 2);
    const float y = static_cast<float>(GAME_HEIGHT / 2 - frame.height / 2);
    m_background->setPosition(x, y);
    m_texteConsole.setPosition(x + 15, y + 15);
    m_texteConsole.setFont(m_RManager->getFont("data\\fonts\\dialogue.ttf"));
    m_texteConsole.setCharacterSize(12);
    m_texteConsole.setFillColor(sf::Color(17, 200, 32, 255));
}

ConsoleMinigame::~ConsoleMinigame()
{
    m_RManager->killTexture(m_background->getTexture());
    delete m_background;
}

const std::string& ConsoleMinigame::getTranscript() const
{
    return m_texte;
}

bool ConsoleMinigame::isFinished() const
{
    return m_termine;
}

void ConsoleMinigame::setTranscript(std::string texte)
{
    m_texte = std::move(texte);
    m_texteConsole.setString(toDisplayString(m_texte));
}

char ConsoleMinigame::cursor() const
{
    if (!tiretAffiche)
        return ' ';
    return m_padDigit >= 0 ? static_cast<char>('0' + m_padDigit) : '_';
}

void ConsoleMinigame::update(float t)
{
    if (delaiTiret - t >= 0.f) {
        delaiTiret -= t;
        return;
    }
    delaiTiret = BLINK_PERIOD;
    tiretAffiche = !tiretAffiche;
    if (!m_texte.empty())
        m_texte.back() = cursor();
    setTranscript(m_texte);
}

bool ConsoleMinigame::event(const sf::Event& event)
{
    const bool keyReleased = event.type == sf::Event::KeyReleased;
    // A solved puzzle also closes on a pad button, so that a pad player can go on.
    if (m_termine && (keyReleased || m_RManager->getInput().isPadButtonRelease(event))) {
        m_RManager->getApplication().popGameState(); // the console is gone: nothing of it is touched after
        return true;
    }
    if (keyReleased)
        type(event.key.code);
    else if (!m_termine)
        padType(event);
    return true;
}

void ConsoleMinigame::padType(const sf::Event& event)
{
    // A pad has no digit keys: up and down choose the digit that blinks at the cursor,
    // the south button types it, the east button erases and Start submits the line.
    const Input& input = m_RManager->getInput();
    const bool up = input.pressed(event, Action::MenuUp);
    if (event.type == sf::Event::JoystickMoved && (up || input.pressed(event, Action::MenuDown))) {
        const int step = up ? 1 : 9;
        m_padDigit = m_padDigit < 0 ? (up ? 0 : 9) : (m_padDigit + step) % 10;
        tiretAffiche = true;
        delaiTiret = BLINK_PERIOD;
        if (!m_texte.empty())
            m_texte.back() = cursor();
        setTranscript(m_texte);
    } else if (!input.isPadButtonRelease(event)) {
        return;
    } else if (input.released(event, Action::MenuConfirm) && m_padDigit >= 0) {
        type(static_cast<sf::Keyboard::Key>(sf::Keyboard::Num0 + m_padDigit));
    } else if (input.released(event, Action::MenuBack)) {
        type(sf::Keyboard::BackSpace);
    } else if (input.released(event, Action::Pause)) {
        type(sf::Keyboard::Return);
    }
}

void ConsoleMinigame::type(sf::Keyboard::Key key)
{
    if (!m_texte.empty())
        m_texte.pop_back();
    if (key == sf::Keyboard::Space && m_peuxRentrerChar)
        m_texte += ' ';
    else if (key == sf::Keyboard::Return)
        submit();
    else if (key == sf::Keyboard::Delete || key == sf::Keyboard::BackSpace)
        erase();

    if (m_peuxRentrerChar && key >= sf::Keyboard::A && key <= sf::Keyboard::Z) {
        const char letter = static_cast<char>('a' + (key - sf::Keyboard::A));
        m_texte += letter;
        m_charEntres.push_back(letter);
    }
    const int digit = digitOf(key);
    if (m_peuxRentrerNb && digit >= 0) {
        m_texte += static_cast<char>('0' + digit);
        m_nombreEntres.push_back(digit);
    }
    m_texte += cursor();
    setTranscript(m_texte);
    refreshConsole();
}

void ConsoleMinigame::submit()
{
    // Fewer digits than the puzzle expects stand for a number with leading zeros.
    while (static_cast<int>(m_nombreEntres.size()) < tailleLigneMax - PROMPT_WIDTH)
        m_nombreEntres.push_front(0);
    if (check(m_texte)) {
        m_texte += "\n\n DONE ! Press any key to continue ! ";
        m_termine = true;
        tailleLigneMax = LINE_WIDTH;
    } else {
        m_texte += PROMPT;
    }
    m_nombreEntres.clear();
    m_charEntres.clear();
}

void ConsoleMinigame::erase()
{
    // Nothing but the prompt ">: " on the line: there is nothing to erase.
    if (m_texte.size() < 2 || m_texte[m_texte.size() - 2] == ':')
        return;
    m_texte.pop_back();
    dropLastEntries(1);
}

void ConsoleMinigame::dropLastEntries(int count)
{
    for (int i = 0; i < count; ++i) {
        if (m_peuxRentrerNb && !m_peuxRentrerChar && !m_nombreEntres.empty())
            m_nombreEntres.pop_back();
        if (m_peuxRentrerChar && !m_peuxRentrerNb && !m_charEntres.empty())
            m_charEntres.pop_back();
    }
}

void ConsoleMinigame::refreshConsole()
{
    const int nbLignes = 1 + static_cast<int>(std::count(m_texte.begin(), m_texte.end(), '\n'));
    for (int i = 0; i < nbLignes - nbLigneMax; ++i)
        m_texte.erase(0, m_texte.find('\n') + 1);

    const std::size_t lastLine = m_texte.rfind('\n') == std::string::npos ? 0 : m_texte.rfind('\n') + 1;
    const int nbCaract = static_cast<int>(m_texte.size() - lastLine);
    if (nbCaract > tailleLigneMax) {
        // Keep the line's first characters and its cursor: the input is cut, never wrapped.
        const std::size_t cutFrom = lastLine + static_cast<std::size_t>(std::max(tailleLigneMax - 1, 0));
        m_texte.erase(cutFrom, m_texte.size() - 1 - cutFrom);
        dropLastEntries(nbCaract - tailleLigneMax);
    }
    setTranscript(m_texte);
}

void ConsoleMinigame::draw()
{
    sf::RenderWindow& window = m_RManager->getWindow();
    window.draw(*m_background);
    window.draw(m_texteConsole);
}

PlusOuMoins::PlusOuMoins(RessourceManager* rm, int nbCaractere)
    : ConsoleMinigame(rm),
      m_nbCaractere(digitCountInRange(nbCaractere, MIN_CODE_DIGITS, MAX_CODE_DIGITS)),
      m_code(0)
{
    tailleLigneMax = m_nbCaractere + PROMPT_WIDTH;
    m_peuxRentrerChar = false;
    setTranscript("FREQUENCY #" + std::to_string(m_nbCaractere) + "\n\n>:  ");
    unsigned int power = 1;
    for (int i = 0; i < m_nbCaractere; ++i, power *= 10)
        m_code += static_cast<unsigned int>(random(0, 9)) * power;
}

bool PlusOuMoins::check(std::string& texte)
{
    unsigned int nbEntre = 0;
    for (int digit : m_nombreEntres)
        nbEntre = nbEntre * 10 + static_cast<unsigned int>(digit);
    if (m_code > nbEntre) {
        texte += "\n\n C'est plus !\n";
        return false;
    }
    if (m_code < nbEntre) {
        texte += "\n\n C'est moins !\n";
        return false;
    }
    texte += "\n\n Parfait !\n";
    return true;
}

unsigned int PlusOuMoins::getCode() const
{
    return m_code;
}

void PlusOuMoins::setCode(unsigned int code)
{
    m_code = code;
}

MasterMind::MasterMind(RessourceManager* rm, int nbCaractere, int idAActiver)
    : ConsoleMinigame(rm),
      m_nbCaractere(digitCountInRange(nbCaractere, MIN_CODE_DIGITS, MAX_CODE_DIGITS)),
      m_idAActiver(idAActiver)
{
    tailleLigneMax = m_nbCaractere + PROMPT_WIDTH;
    m_peuxRentrerChar = false;
    // The accented letter is stored as its single ISO 8859-1 byte.
    setTranscript("CODE #[-----]\n"
                  " \"-\" -> Le chiffre n'est pas dans le code\n"
                  " \"=\" -> Le chiffre est dans le code mais pas \xE0 cette position\n"
                  " \"*\" -> Le chiffre est dans le code et \xE0 cette position\n"
                  "\n"
                  ">:  ");
    for (int i = 0; i < m_nbCaractere; ++i)
        m_code.push_back(random(0, 9));
    for (int digit : m_code)
        std::cout << digit;
    std::cout << std::flush;
}

bool MasterMind::existeDansLeCode(int chiffre) const
{
    return std::find(m_code.begin(), m_code.end(), chiffre) != m_code.end();
}

bool MasterMind::check(std::string& texte)
{
    texte += "\n\n [";
    for (int digit : m_nombreEntres)
        texte += static_cast<char>('0' + digit);
    texte += "]  <-  CODE\n [";
    bool correct = true;
    auto secret = m_code.begin();
    for (auto guess = m_nombreEntres.begin(); guess != m_nombreEntres.end(); ++guess) {
        const bool inPlace = secret != m_code.end() && *guess == *secret;
        if (inPlace) {
            texte += '*';
        } else {
            correct = false;
            texte += existeDansLeCode(*guess) ? '=' : '-';
        }
        if (secret != m_code.end())
            ++secret;
    }
    texte += "]  <-  RIGHT CODE PRINT\n";
    if (correct) {
        texte += "\n\n CORRECT CODE - SUCCESS !\n";
        if (Map* map = m_RManager->getMap())
            map->activerEntite(m_idAActiver);
    }
    return correct;
}

const std::list<int>& MasterMind::getCode() const
{
    return m_code;
}

void MasterMind::setCode(const std::list<int>& code)
{
    m_code = code;
}
