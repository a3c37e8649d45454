#pragma once

#include "core/frameclock.h"
#include "core/options.h"
#include "resources/ressourcemanager.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cstddef>
#include <string>
#include <vector>

class GameState;
namespace sf {
class Event;
} // namespace sf

// Owns the window, the resource manager and the stack of game states, and runs the
// frame loop: events top down, updates top down, drawing from the highest opaque state up.
class Application
{
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    void init();
    // Pushes a level on the named map over the main menu, saving in slot 1, with a
    // fresh character: what an author runs to try a map out.
    void startOnMap(const std::string& mapName);
    void start();
    // One pass of the frame loop: events, update, drawing.
    void frame();
    // What the frame loop does with one polled event.
    void handleEvent(sf::Event& event);

    void eventGS(sf::Event& event);
    void updateGS();
    void drawGS();
    // Takes ownership: deleted when it leaves the stack.
    void addGameState(GameState* state);
    // Deletes the top state at once: a state that pops itself touches nothing of itself after.
    void popGameState();
    // Destroys and removes this state wherever it is on the stack: a state that ends
    // after pushing another one (a dialogue opening a puzzle) leaves that one in place.
    void removeGameState(GameState* state);
    void mainMenu();
    void ShowFPSCounter();
    void pauseTime();
    void resumeTime();

    // Reads the options file and applies it; from then on every change is written to it.
    void loadOptions();
    Options getOptions();
    // Applies the options, and keeps them if the options file was read.
    void setOptions(const Options& options);

    std::size_t getStateCount() const;
    GameState* getState(std::size_t index) const;
    bool isFPSShown() const;
    // The frame limit the game had to set because vertical sync did not hold; 0 for none.
    unsigned getFrameLimit() const;
    const sf::Text& getFPSText() const;
    FrameClock& getFrameClock();
    // The second the FPS counter counts frames over.
    FrameClock& getFPSClock();
    sf::RenderWindow& getWindow();
    RessourceManager& getRessourceManager();

private:
    void handleApplicationKey(sf::Keyboard::Key key);
    // True while the state a pass has just called is still where the pass found it.
    bool stillAt(std::size_t index, const GameState* state) const;
    // Mouse positions arrive in window pixels; the game works in its own
    // coordinates whatever size the window has been given.
    void mapMouseToGame(int& x, int& y) const;
    // Opens the window, at the game's size or over the whole screen.
    void createWindow();
    void setFullscreen(bool fullscreen);
    Options toggledFullscreen();
    void fitViewToWindow();
    void watchFrameRate(float frameTime);
    void keepFPSCounterInside();
    void setWindowIcon();
    void applyOptions(const Options& options);
    void keepOptions();

    bool m_showFPS;
    bool m_paused;
    int m_fps;
    sf::RenderWindow m_Window;
    FrameClock m_tempsEntreImages;
    FrameClock m_tempsFPS;
    sf::Text m_compteurFPS;
    RessourceManager m_RManager;
    std::vector<GameState*> m_States; // owned, bottom first
    unsigned m_frameLimit;
    int m_imagesMesurees; // frames of the second being measured
    float m_tempsMesure;
    bool m_optionsKept; // the options file was read: changes are written back to it
    bool m_fullscreen;
    bool m_altReturnDown; // the Return of Alt + Return, until it is let go
    bool m_altOfChord;    // the Alt of Alt + Return, until it is let go
};
