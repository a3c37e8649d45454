#include "support/menudata.h"

void MenuTest::writeButton(const std::string& gamePath, unsigned width, unsigned height)
{
    sf::Image image;
    image.create(width, height, sf::Color(200, 40, 40));
    for (unsigned x = 0; x < 10; ++x)
        for (unsigned y = 0; y < 10; ++y)
            image.setPixel(x, y, sf::Color::Transparent);
    writeImage(gamePath, image);
}

void MenuTest::SetUp()
{
    GameTest::SetUp();
    writeImage("data\\graphics\\window\\hud\\fleche.png", 20, 20);
    writeImage("data\\graphics\\window\\hud\\viseur.png", 21, 21);
    writeImage("data\\graphics\\window\\iconeFenetre.png", 170, 170);
    writeImage("data\\graphics\\window\\mainmenu\\background.png", 1000, 500, sf::Color::Blue);
    writeButton("data\\graphics\\window\\mainmenu\\commencer.png", 440, 60);
    writeButton("data\\graphics\\window\\mainmenu\\charger.png", 544, 60);
    writeButton("data\\graphics\\window\\mainmenu\\quitter.png", 226, 60);
    writeImage("data\\graphics\\window\\mainmenu\\titre.png", 882, 60);
    writeImage("data\\graphics\\window\\mainmenu\\virus.png", 400, 200);
    writeButton("data\\graphics\\window\\commandes\\bouton.png", 170, 40);
    writeImage("data\\graphics\\window\\commandes\\01.png", 1000, 500);
    writeImage("data\\graphics\\window\\commandes\\touche.png", 30, 24);
    writeButton("data\\graphics\\window\\options\\bouton.png", 170, 40);
    writeImage("data\\graphics\\window\\focus.png", 48, 48);
    writeImage("data\\graphics\\window\\pausemenu\\background.png", 1000, 500, sf::Color(0, 0, 0, 128));
    writeButton("data\\graphics\\window\\pausemenu\\jeu.png", 620, 60);
    writeButton("data\\graphics\\window\\pausemenu\\menu.png", 620, 60);
    writeSound("data\\sounds\\mainMenu.ogg", 3.f);
    copyGameFile("data\\fonts\\korvane.ttf");
}

void MenuTest::TearDown()
{
    game.reset();
    GameTest::TearDown();
}

void MenuTest::writeSlotMenus()
{
    for (const char* menu : {"newGameMenu", "loadingMenu"})
        writeImage(std::string("data\\graphics\\window\\") + menu + "\\background.png", 1000, 500);
    writeButton("data\\graphics\\window\\newGameMenu\\slot.png", 306, 82);
    writeButton("data\\graphics\\window\\flecheBack.png", 64, 48);
}
