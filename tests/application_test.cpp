#include "core/stopsignal.h"
#include "menus/mainmenu.h"
#include "support/harness.h"
#include "support/menudata.h"

#include <SFML/System/Sleep.hpp>

#include <csignal>
#include <memory>

namespace {

// A state that writes what the stack does with it into a shared log. A quitter removes
// itself on any event, then reports the event unconsumed.
class Probe : public GameState
{
public:
    Probe(RessourceManager* rm, std::string name, std::vector<std::string>& log, bool modal, bool opaque,
          bool consumes = false, bool quits = false)
        : GameState(rm, modal, opaque),
          m_name(std::move(name)),
          m_log(log),
          m_consumes(consumes),
          m_quits(quits)
    {
    }
    ~Probe() override
    {
        m_log.push_back(m_name + ".deleted");
    }
    bool event(const sf::Event&) override
    {
        m_log.push_back(m_name + ".event");
        if (!m_quits)
            return m_consumes;
        m_RManager->getApplication().popGameState(); // deletes this probe
        return false;
    }
    void update(float t) override
    {
        m_log.push_back(m_name + ".update");
        lastStep = t;
    }
    void draw() override
    {
        m_log.push_back(m_name + ".draw");
    }
    float lastStep = 0.f;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    bool m_consumes;
    bool m_quits;
};

} // namespace

class ApplicationTest : public MenuTest
{
protected:
    std::vector<std::string> log;

    void start()
    {
        game = std::make_unique<GameHarness>();
    }
    Probe* push(const std::string& name, bool modal, bool opaque, bool consumes = false, bool quits = false)
    {
        Probe* probe = new Probe(&game->rm(), name, log, modal, opaque, consumes, quits);
        game->app().addGameState(probe);
        return probe;
    }
};

TEST_F(ApplicationTest, StartUpLoadsTheCursorThenTheMenuThenTheFontThenTheIcon)
{
    start();
    std::vector<std::string> created;
    for (const std::string& line : trace())
        if (line.rfind(" -- Manager : Creation de l'item : ", 0) == 0)
            created.push_back(line.substr(35));
    const std::vector<std::string> expected{
        "data\\graphics\\window\\hud\\fleche.png",
        "data\\graphics\\window\\mainmenu\\background.png",
        "data\\graphics\\window\\mainmenu\\commencer.png",
        "data\\graphics\\window\\mainmenu\\charger.png",
        "data\\graphics\\window\\mainmenu\\quitter.png",
        "data\\graphics\\window\\mainmenu\\titre.png",
        "data\\graphics\\window\\mainmenu\\virus.png",
        "data\\graphics\\window\\commandes\\bouton.png",
        "data\\fonts\\korvane.ttf",
        "data\\graphics\\window\\iconeFenetre.png",
    };
    EXPECT_EQ(created, expected);
    EXPECT_EQ(trace().size(), 2 * expected.size()) << "each creation line has its loading line, nothing else";
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_NE(game->topAs<MainMenu>(), nullptr);
    EXPECT_EQ(game->app().getWindow().getSize(), sf::Vector2u(1000, 500));
    EXPECT_TRUE(game->app().isFPSShown());

    game.reset();
    writeImage("data\\graphics\\window\\iconeFenetre.png", 16, 16);
    start();
    EXPECT_EQ(trace().at(trace().size() - 2), " -*- Icone de la fenetre ignoree : image trop petite");
    EXPECT_EQ(trace().back(), "    * data\\graphics\\window\\iconeFenetre.png");
}

// F11 returns to the main menu between the scenes.
TEST_F(ApplicationTest, TheStackHandsEventsUpdatesAndDrawingToTheRightStates)
{
    start();
    push("level", true, true);
    push("pause", true, false);
    game->send(keyReleased(sf::Keyboard::F11));
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_EQ(log, (std::vector<std::string>{"pause.deleted", "level.deleted"}))
        << "F11 destroys the states top first, before any state sees the key";
    game->send(keyReleased(sf::Keyboard::F11));
    EXPECT_EQ(game->stateCount(), 1u);
    EXPECT_TRUE(game->app().getWindow().isOpen());
    log.clear();

    push("a", false, true);
    push("b", true, false);
    push("c", false, false);
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_EQ(log, (std::vector<std::string>{"c.event", "b.event"})) << "events go down to the first modal state";
    log.clear();
    push("d", false, false, true);
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_EQ(log, (std::vector<std::string>{"d.event"})) << "or until one consumes it";
    game->send(keyReleased(sf::Keyboard::F11));
    log.clear();

    push("below", false, false);
    push("quitter", false, false, false, true);
    game->send(keyPressed(sf::Keyboard::A));
    EXPECT_EQ(log, (std::vector<std::string>{"quitter.event", "quitter.deleted"}))
        << "a state that removes itself ends the event pass";
    EXPECT_EQ(game->stateCount(), 2u);
    game->send(keyReleased(sf::Keyboard::F11));
    log.clear();

    push("a", true, true);
    Probe* b = push("b", false, false);
    game->step();
    EXPECT_EQ(log, (std::vector<std::string>{"b.update", "a.update"}));
    EXPECT_FLOAT_EQ(b->lastStep, GameHarness::STEP);
    log.clear();
    game->app().pauseTime();
    game->send(keyPressed(sf::Keyboard::A));
    game->step();
    game->app().drawGS();
    EXPECT_EQ(log, (std::vector<std::string>{"b.event", "a.event", "a.draw", "b.draw"})) << "no update while paused";
    game->app().resumeTime();
    log.clear();
    game->step();
    EXPECT_EQ(log, (std::vector<std::string>{"b.update", "a.update"}));
    game->send(keyReleased(sf::Keyboard::F11));
    log.clear();

    push("a", true, false);
    push("b", true, true);
    push("c", true, false);
    push("d", true, false);
    game->app().drawGS();
    EXPECT_EQ(log, (std::vector<std::string>{"b.draw", "c.draw", "d.draw"})) << "from the highest opaque state";
}

TEST_F(ApplicationTest, TheCounterShowsTheFramesOfEachSecondAndFastFramesAreCapped)
{
    start();
    game->app().ShowFPSCounter(); // may close the second started at construction
    game->app().getFPSClock().advance(1.05f);
    game->app().ShowFPSCounter(); // closes a second: the count restarts
    for (int i = 0; i < 5; ++i)
        game->app().ShowFPSCounter();
    game->send(keyReleased(sf::Keyboard::F1));
    game->app().getFPSClock().advance(1.05f);
    game->send(keyReleased(sf::Keyboard::F1));
    game->app().ShowFPSCounter();
    EXPECT_EQ(game->app().getFPSText().getString().toAnsiString(), "FPS : 5")
        << "the second cut short by hiding it comes first";
    game->app().ShowFPSCounter();
    EXPECT_EQ(game->app().getFPSText().getString().toAnsiString(), "FPS : 5") << "a new second has begun";

    for (int i = 0; i < 150; ++i)
        game->app().ShowFPSCounter();
    game->app().getFPSClock().advance(1.05f);
    game->app().ShowFPSCounter();
    const sf::FloatRect counter = game->app().getFPSText().getGlobalBounds();
    EXPECT_LE(counter.left + counter.width, 1000.f) << "three digits are read whole";
    EXPECT_GT(counter.left + counter.width, 990.f) << "still in its corner";

    game->send(keyPressed(sf::Keyboard::F1));
    EXPECT_TRUE(game->app().isFPSShown()) << "pressing F1 does nothing";
    game->send(keyReleased(sf::Keyboard::F1));
    EXPECT_FALSE(game->app().isFPSShown());
    game->send(keyReleased(sf::Keyboard::F1));
    EXPECT_TRUE(game->app().isFPSShown());

    push("screen", true, true); // draws nothing: frames cost next to nothing
    game->frame(61);
    EXPECT_EQ(game->app().getFrameLimit(), 0u) << "60 frames a second: vertical sync holds";
    game->app().getFrameClock().setFixedStep(1.f / 250.f);
    game->frame(260);
    EXPECT_EQ(game->app().getFrameLimit(), 60u);
    EXPECT_TRUE(traced("    * limite a 60"));
}

// F12, the close button and a stop asked by the system.
TEST_F(ApplicationTest, EveryWayToQuitClosesTheWindow)
{
    start();
    push("level", true, true);
    game->send(keyReleased(sf::Keyboard::F12));
    EXPECT_EQ(log, (std::vector<std::string>{"level.deleted"}));
    EXPECT_EQ(game->stateCount(), 0u) << "F12 empties the stack";
    EXPECT_FALSE(game->app().getWindow().isOpen());
    game->frame(); // the frame that ends the loop runs on an empty stack

    start();
    log.clear();
    push("level", true, true);
    game->send(closed());
    EXPECT_EQ(log, (std::vector<std::string>{"level.event"})) << "the close button is offered to the states";
    EXPECT_FALSE(game->app().getWindow().isOpen());

    start();
    push("level", true, true);
    catchStopSignals();
    std::raise(SIGTERM);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    EXPECT_TRUE(game->app().getWindow().isOpen()) << "the game goes on to the end of its frame";
    game->frame();
    EXPECT_FALSE(game->app().getWindow().isOpen()) << "closed, so the states are destroyed and the level saves";
}

// Resizes the window and hands the game its events until the game has seen the new size.
static void resize(GameHarness& game, sf::Vector2u size)
{
    game.app().getWindow().setSize(size);
    sf::Event event;
    for (int i = 0; i < 200; ++i) {
        while (game.app().getWindow().pollEvent(event)) {
            game.send(event);
            if (event.type == sf::Event::Resized && sf::Vector2u(event.size.width, event.size.height) == size)
                return;
        }
        sf::sleep(sf::milliseconds(10));
    }
    FAIL() << "the window was never resized";
}

TEST_F(ApplicationTest, AWindowOfAnotherSizeShowsThePictureWholeBetweenBlackBands)
{
    start();
    game->send(mouseMoved(250, 100));
    EXPECT_EQ(game->rm().getMousePosition(), sf::Vector2i(250, 100));
    resize(*game, {2000, 1000});
    game->send(mouseMoved(500, 400));
    EXPECT_EQ(game->rm().getMousePosition(), sf::Vector2i(250, 200));
    sf::Event click = mouseReleased(1998, 998);
    game->app().handleEvent(click);
    EXPECT_EQ(click.mouseButton.x, 999);
    EXPECT_EQ(click.mouseButton.y, 499);

    resize(*game, {1000, 1000}); // twice as high as the picture needs: bands above and below
    EXPECT_EQ(game->app().getWindow().getViewport(game->app().getWindow().getView()), sf::IntRect(0, 250, 1000, 500));
    game->send(mouseMoved(500, 300));
    EXPECT_EQ(game->rm().getMousePosition(), sf::Vector2i(500, 50));
    click = mouseReleased(10, 100); // on the band above the picture
    game->app().handleEvent(click);
    EXPECT_LT(click.mouseButton.y, 0) << "the bands map outside the picture, where nothing is hit";

    resize(*game, {1500, 500}); // too wide: bands left and right
    EXPECT_EQ(game->app().getWindow().getViewport(game->app().getWindow().getView()), sf::IntRect(250, 0, 1000, 500));
    click = mouseReleased(249, 10);
    game->app().handleEvent(click);
    EXPECT_EQ(click.mouseButton.x, -1);
    game->frame(2);
    sf::Texture shot;
    shot.create(1500, 500);
    shot.update(game->app().getWindow());
    const sf::Image image = shot.copyToImage();
    EXPECT_EQ(image.getPixel(100, 250), sf::Color::Black) << "a band";
    EXPECT_EQ(image.getPixel(1200, 150), sf::Color::Blue) << "the main menu's background";
}
