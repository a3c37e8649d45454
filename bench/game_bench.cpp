// Frame costs of the game on its real content. Run from the folder that holds data/
// (`make bench`); the level saves into build/, never into a save slot.
#include "core/application.h"
#include "entities/bullet.h"
#include "menus/collisions.h"
#include "world/map.h"

#include <SFML/Graphics/Sprite.hpp>

#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>

namespace {

// The game with its window and the first map, its trace kept out of the figures.
class Game
{
public:
    Game() : m_previous(std::cout.rdbuf(m_trace.rdbuf()))
    {
        m_app.init();
        m_level = new Map(&m_app.getRessourceManager(), "01_USB", "build\\bench.sv", nullptr);
        m_app.addGameState(m_level);
    }
    ~Game()
    {
        m_app.mainMenu();
        std::cout.rdbuf(m_previous);
    }
    Application& app()
    {
        return m_app;
    }
    Map& level()
    {
        return *m_level;
    }

private:
    std::ostringstream m_trace;
    std::streambuf* m_previous;
    Application m_app;
    Map* m_level;
};

void levelUpdate(benchmark::State& state)
{
    Game game;
    for (auto _ : state)
        game.level().update(1.f / 60.f);
}
BENCHMARK(levelUpdate);

// Bullets in flight across the level: every one is tested against every entity.
void levelUpdateWithBullets(benchmark::State& state)
{
    Game game;
    RessourceManager& rm = game.app().getRessourceManager();
    for (auto _ : state) {
        state.PauseTiming();
        while (static_cast<long>(game.level().getBullets().size()) < state.range(0))
            game.level().addBullet(new Bullet(&rm, 100, {500, 100, 1, 0.01f}));
        state.ResumeTiming();
        game.level().update(1.f / 60.f);
    }
}
BENCHMARK(levelUpdateWithBullets)->Arg(10)->Arg(100)->Arg(1000);

void levelDraw(benchmark::State& state)
{
    Game game;
    for (auto _ : state) {
        game.app().getWindow().clear();
        game.level().draw();
        game.app().getWindow().display();
    }
}
BENCHMARK(levelDraw);

// A click on a menu button reads the whole button picture back from the graphics card.
void buttonHitTest(benchmark::State& state)
{
    Game game;
    sf::Sprite button(game.app().getRessourceManager().getTexture("data\\graphics\\window\\mainmenu\\charger.png"));
    button.setPosition(228, 289);
    for (auto _ : state)
        benchmark::DoNotOptimize(collisionSourisSprite(500, 320, button));
}
BENCHMARK(buttonHitTest);

} // namespace

BENCHMARK_MAIN();
