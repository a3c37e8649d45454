#pragma once

#include "core/gamestate.h"

#include <SFML/Graphics/Text.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <list>
#include <string>

class Sprite;

// A green terminal over the frozen level: a scrolling transcript, a blinking cursor
// and one input line; Return submits the line to the puzzle's check.
class ConsoleMinigame : public GameState
{
public:
    explicit ConsoleMinigame(RessourceManager* rm);
    ~ConsoleMinigame() override;

    bool event(const sf::Event& event) override;
    void update(float t) override;
    void draw() override;
    virtual void refreshConsole();
    // Appends the verdict on the submitted line to `texte`; true when solved.
    virtual bool check(std::string& texte) = 0;

    // The transcript as the game keeps it: 8-bit text, cursor slot last.
    const std::string& getTranscript() const;
    bool isFinished() const;

protected:
    // Replaces the transcript (a puzzle's intro ends in ">: " and one space, the cursor slot).
    void setTranscript(std::string texte);

    bool tiretAffiche;
    bool m_termine;
    bool m_peuxRentrerNb;
    bool m_peuxRentrerChar;
    float delaiTiret;
    int tailleLigneMax;
    int nbLigneMax;
    std::list<int> m_nombreEntres;
    std::list<char> m_charEntres;
    sf::Text m_texteConsole;
    Sprite* m_background; // owned

private:
    void type(sf::Keyboard::Key key);
    void padType(const sf::Event& event);
    void submit();
    void erase();
    // The list that follows the input line when only one kind of character is accepted.
    void dropLastEntries(int count);
    char cursor() const;

    std::string m_texte;
    int m_padDigit; // the digit the pad would type, -1 before it chose one
};

// Higher or lower: guess a secret number of a given number of digits.
class PlusOuMoins : public ConsoleMinigame
{
public:
    PlusOuMoins(RessourceManager* rm, int nbCaractere);
    bool check(std::string& texte) override;
    unsigned int getCode() const;
    // Replaces the drawn secret (for puzzles that must be known in advance).
    void setCode(unsigned int code);

private:
    int m_nbCaractere;
    unsigned int m_code;
};

// Code breaking: each guess is marked per position; the right code activates an entity.
class MasterMind : public ConsoleMinigame
{
public:
    MasterMind(RessourceManager* rm, int nbCaractere, int idAActiver);
    bool check(std::string& texte) override;
    const std::list<int>& getCode() const;
    // Replaces the drawn secret (for puzzles that must be known in advance).
    void setCode(const std::list<int>& code);

private:
    bool existeDansLeCode(int chiffre) const;

    int m_nbCaractere;
    int m_idAActiver;
    std::list<int> m_code;
};

// A digit count brought into [low, high], with a trace line when it had to move.
int digitCountInRange(int count, int low, int high);
// The codes of the console puzzles have this many digits.
constexpr int MIN_CODE_DIGITS = 1;
constexpr int MAX_CODE_DIGITS = 9;
