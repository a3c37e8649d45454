#include "entities/structentity.h"
#include "minigames/consoleminigame.h"
#include "support/leveldata.h"

class ConsoleTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        startLevel("[DoorEntity] 9 600 350 Sprite porte.png\n");
    }
    template <typename Puzzle, typename... Args>
    Puzzle& open(Args... args)
    {
        auto* puzzle = new Puzzle(&game->rm(), args...);
        game->app().addGameState(puzzle);
        return *puzzle;
    }
    void release(sf::Keyboard::Key key)
    {
        game->send(keyReleased(key));
    }
    void typeDigits(const std::string& digits)
    {
        for (char c : digits)
            release(static_cast<sf::Keyboard::Key>(sf::Keyboard::Num0 + (c - '0')));
    }
    void enter(const std::string& digits)
    {
        typeDigits(digits);
        release(sf::Keyboard::Return);
    }
    const std::string& transcript()
    {
        return dynamic_cast<ConsoleMinigame&>(*game->top()).getTranscript();
    }
};

TEST_F(ConsoleTest, HigherOrLowerIntroVerdictsTypingAndCursor)
{
    auto& puzzle = open<PlusOuMoins>(3);
    puzzle.setCode(42);
    EXPECT_EQ(transcript(), "FREQUENCY #3\n\n>:  ");
    enter("7");
    EXPECT_EQ(transcript(), "FREQUENCY #3\n\n>: 7\n\n C'est plus !\n\n>: _");
    enter("100");
    EXPECT_NE(transcript().find(">: 100\n\n C'est moins !\n\n>: _"), std::string::npos);
    enter("42");
    EXPECT_NE(transcript().find(">: 42\n\n Parfait !\n\n\n DONE ! Press any key to continue ! _"), std::string::npos)
        << "leading zeros need not be typed";
    EXPECT_TRUE(puzzle.isFinished());
    EXPECT_EQ(game->top(), &puzzle) << "the key that solves it does not close it";
    release(sf::Keyboard::Escape);
    EXPECT_EQ(game->top(), level);

    // Keys act on release and only digits are typed.
    auto& unsolved = open<PlusOuMoins>(3);
    unsolved.setCode(999);
    game->send(keyPressed(sf::Keyboard::Num5));
    EXPECT_EQ(transcript(), "FREQUENCY #3\n\n>:  ");
    release(sf::Keyboard::A);
    release(sf::Keyboard::Space);
    EXPECT_EQ(transcript(), "FREQUENCY #3\n\n>: _") << "letters and spaces are refused; the cursor is redrawn";
    release(sf::Keyboard::BackSpace);
    EXPECT_EQ(transcript(), "FREQUENCY #3\n\n>: _") << "nothing to erase";
    typeDigits("1234");
    EXPECT_EQ(transcript(), "FREQUENCY #3\n\n>: 123_") << "the fourth digit is cut again";
    release(sf::Keyboard::BackSpace);
    enter("9");
    EXPECT_NE(transcript().find(">: 129\n\n C'est plus !"), std::string::npos);
    release(sf::Keyboard::Return);
    EXPECT_NE(transcript().find(">: \n\n C'est plus !"), std::string::npos) << "an empty line is zero";
    release(sf::Keyboard::Escape);
    EXPECT_EQ(game->top(), &unsolved) << "an unsolved console cannot be left";

    open<PlusOuMoins>(1).setCode(9);
    for (int i = 0; i < 6; ++i)
        enter("1");
    const std::string& text = transcript();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20) << "the transcript keeps its last 21 lines";
    EXPECT_EQ(text.find("FREQUENCY"), std::string::npos) << "the intro has scrolled away";

    clearTrace();
    auto& wide = open<PlusOuMoins>(12);
    EXPECT_EQ(wide.getTranscript(), "FREQUENCY #9\n\n>:  ");
    EXPECT_LT(wide.getCode(), 1000000000u);
    EXPECT_NE(traceText().find(" -*- Nombre de chiffres hors limites : 12\n    * ramene a 9\n"), std::string::npos);

    // The cursor blinks every half second, dropping the overshoot.
    open<PlusOuMoins>(3);
    step(30);
    EXPECT_EQ(transcript().back(), ' ') << "exactly half a second has not yet gone past";
    step();
    EXPECT_EQ(transcript().back(), ' ');
    game->app().getFrameClock().setFixedStep(2.f);
    step();
    EXPECT_EQ(transcript().back(), '_') << "a long frame toggles once";
    game->app().getFrameClock().setFixedStep(0.49f);
    step();
    EXPECT_EQ(transcript().back(), '_') << "and the delay restarts at 0.5 s";
}

TEST_F(ConsoleTest, CodeBreakingMarksEachPositionAgainstTheWholeCode)
{
    clearTrace();
    auto& drawn = open<MasterMind>(5, 9);
    std::string digits;
    for (int digit : drawn.getCode())
        digits += static_cast<char>('0' + digit);
    EXPECT_EQ(traceText().substr(traceText().size() - 5), digits) << "a new code is written to the trace";
    EXPECT_EQ(open<MasterMind>(0, 9).getCode().size(), 1u) << "digit counts are brought into range";

    auto& puzzle = open<MasterMind>(4, 9);
    puzzle.setCode({1, 2, 3, 4});
    EXPECT_EQ(transcript(), "CODE #[-----]\n"
                            " \"-\" -> Le chiffre n'est pas dans le code\n"
                            " \"=\" -> Le chiffre est dans le code mais pas \xE0 cette position\n"
                            " \"*\" -> Le chiffre est dans le code et \xE0 cette position\n"
                            "\n"
                            ">:  ");
    auto marks = [&](const std::string& guess) {
        enter(guess);
        const std::string& text = transcript();
        const std::size_t end = text.rfind("]  <-  RIGHT CODE PRINT");
        return text.substr(end - 4, 4);
    };
    EXPECT_EQ(marks("1111"), "*===");
    EXPECT_EQ(marks("4321"), "====");
    EXPECT_EQ(marks("5266"), "-*--");
    EXPECT_EQ(marks("12"), "--==") << "padded to 0012";
    EXPECT_NE(transcript().find(">: 12\n\n [0012]  <-  CODE\n [--==]  <-  RIGHT CODE PRINT\n\n>: _"),
              std::string::npos);
    EXPECT_FALSE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen());
    EXPECT_EQ(marks("1234"), "****");
    EXPECT_NE(transcript().find("\n\n [1234]  <-  CODE\n [****]  <-  RIGHT CODE PRINT\n\n\n CORRECT CODE - SUCCESS !"
                                "\n\n\n DONE ! Press any key to continue ! _"),
              std::string::npos);
    EXPECT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(9))->isOpen()) << "the right code opens the door";

    // Repeated digits.
    auto& repeated = open<MasterMind>(4, 9);
    repeated.setCode({1, 1, 2, 2});
    EXPECT_EQ(marks("2211"), "====");
    repeated.setCode({7, 7, 7, 7});
    EXPECT_EQ(marks("7007"), "*--*");
}
