#include "resources/manager_font.h"
#include "resources/manager_texture.h"
#include "support/gametest.h"

#include <memory>

using CacheTest = GameTest;

TEST_F(CacheTest, RequestsShareAndCountTheResourceAndReleasesCountDownByPathOrAddress)
{
    writeImage("data\\a.png", 8, 4);
    writeImage("data\\b.png", 2, 2);
    {
        Manager_Texture cache;
        const sf::Texture& first = cache.get("data\\a.png");
        const sf::Texture& second = cache.get("data\\a.png");
        EXPECT_EQ(&first, &second);
        EXPECT_EQ(first.getSize(), sf::Vector2u(8, 4));
        const std::vector<std::string> expected{
            " -- Manager : Creation de l'item : data\\a.png",
            " -- Chargement de l'image : data\\a.png",
            " -- Manager : Demande de l'item : data\\a.png",
            "    * Count = 2",
        };
        EXPECT_EQ(trace(), expected);
        EXPECT_TRUE(first.isRepeated());
        EXPECT_FALSE(first.isSmooth());

        clearTrace();
        cache.kill("data\\a.png");
        cache.kill("data\\a.png");
        const std::vector<std::string> released{
            " -*- Tentative de destruction de l'item : data\\a.png",
            "    * Count restant = 1",
            " -*- Destruction de l'item : data\\a.png",
        };
        EXPECT_EQ(trace(), released);
        clearTrace();
        cache.get("data\\a.png");
        EXPECT_EQ(trace().front(), " -- Manager : Creation de l'item : data\\a.png") << "a released path loads anew";

        const sf::Texture stranger;
        clearTrace();
        cache.kill("data\\other.png");
        cache.kill("data/a.png"); // keys are exact: the other separator is another path
        cache.kill(&stranger);
        EXPECT_TRUE(trace().empty()) << "releasing what is not held changes nothing";
    }
    {
        Manager_Texture cache;
        const sf::Texture& a = cache.get("data\\a.png");
        const sf::Texture& b = cache.get("data\\b.png");
        cache.get("data\\b.png");
        clearTrace();
        cache.kill(&b);
        cache.kill(&a);
        const std::vector<std::string> expected{
            " -*- Tentative de destruction de l'item : data\\b.png",
            "    * Count restant = 1",
            " -*- Destruction de l'item : data\\a.png",
        };
        EXPECT_EQ(trace(), expected) << "releasing by address is releasing by path";
    }
    Manager_Texture cache;
    const sf::Texture& missing = cache.get("data\\missing.png");
    EXPECT_EQ(missing.getSize(), sf::Vector2u(0, 0));
    clearTrace();
    cache.get("data\\missing.png");
    const std::vector<std::string> expected{" -- Manager : Demande de l'item : data\\missing.png", "    * Count = 2"};
    EXPECT_EQ(trace(), expected) << "a missing file stays cached as an empty resource: no second attempt";
}

TEST_F(CacheTest, EndOfRunListsWhatIsStillHeldInOrderOfCreation)
{
    auto cache = std::make_unique<Manager_Font>();
    cache->get("data\\fonts\\c.ttf");
    cache->get("data\\fonts\\a.ttf");
    cache->get("data\\fonts\\b.ttf");
    cache->get("data\\fonts\\a.ttf");
    clearTrace();
    cache.reset();
    const std::vector<std::string> expected{
        " -*- ~Manager : Destruction de l'item", "    * data\\fonts\\c.ttf",
        " -*- ~Manager : Destruction de l'item", "    * data\\fonts\\a.ttf",
        " -*- ~Manager : Destruction de l'item", "    * data\\fonts\\b.ttf",
    };
    EXPECT_EQ(trace(), expected);
}
