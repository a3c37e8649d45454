#include "dialogue/dialogue.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "input/action.h"
#include "support/leveldata.h"
#include "world/cues.h"

namespace {

const sf::Color KEY(255, 255, 0);
const sf::Color LEVER(0, 0, 255);
const sf::Color RAISED(0, 255, 0);
const sf::Color BAR_FILL(255, 196, 64);
const sf::Color BAR_LAST_SECOND(255, 72, 72);

// The lever stands on the floor at (200, 420); the character is put beside it or away.
const char* const FLOOR = "[GroundEntity] 1 0 460 Sprite sol.png HitboxSpriteFilled\n"
                          "[DoorEntity] 2 600 360 Sprite porte.png\n";
const sf::IntRect ABOVE_LEVER(180, 370, 72, 50);
const sf::IntRect UNDER_LEVER(200, 461, 32, 8);
// Spikes at (400, 420) on a sheet whose raised row is green and whose retracted row is empty.
const sf::IntRect SPIKES(400, 420, 40, 40);

} // namespace

// What the level draws to tell the player what can be used and what is about to change.
// The pictures are flat colours on a black screen, so that each cue can be counted in pixels.
class CuesTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeImage("data\\graphics\\window\\commandes\\touche.png", 30, 24, KEY);
        writeImage("data\\graphics\\map\\T\\levier.png", 32, 80, LEVER);
        writeImage("data\\graphics\\map\\T\\cible.png", 32, 64, LEVER);
        sf::Image spikes;
        spikes.create(40, 80, sf::Color::Transparent);
        for (unsigned y = 0; y < 40; ++y)
            for (unsigned x = 0; x < 40; ++x)
                spikes.setPixel(x, y, RAISED);
        writeImage("data\\graphics\\map\\T\\pics.png", spikes);
        writeSound("data\\sounds\\trigger.ogg", 0.05f);
    }
    void start(const std::string& content)
    {
        replaceLevel(FLOOR + content);
        standAt(50);
    }
    void standAt(int x)
    {
        player().setPosition(x, 420);
        step(2);
    }
    int count(const sf::IntRect& area, const sf::Color& colour)
    {
        const sf::Image shown = game->drawnStates();
        int n = 0;
        for (int y = area.top; y < area.top + area.height; ++y)
            for (int x = area.left; x < area.left + area.width; ++x)
                n += shown.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) == colour;
        return n;
    }
    // The key picture shows (its name, drawn over it, takes a few of its pixels).
    bool keyShown()
    {
        return count(ABOVE_LEVER, KEY) > 300;
    }
};

TEST_F(CuesTest, TheKeyFloatsOverALeverWhileTheCharacterTouchesItAndTheKeyWouldPullIt)
{
    start("[ActivableTrigger] 3 200 420 2 -1 AnimatedSprite levier.png 1 2 -1 0\n");
    EXPECT_FALSE(keyShown()) << "the character is away from the lever";
    standAt(180);
    EXPECT_TRUE(keyShown());
    // The player's own key for activating is the one named.
    const sf::Image named = game->drawnStates();
    ASSERT_TRUE(game->rm().getInput().getBindings().rebind(Action::Activate, 0, sf::Keyboard::K));
    EXPECT_TRUE(keyShown());
    const sf::Image renamed = game->drawnStates();
    int differ = 0;
    for (int y = ABOVE_LEVER.top; y < ABOVE_LEVER.top + ABOVE_LEVER.height; ++y)
        for (int x = ABOVE_LEVER.left; x < ABOVE_LEVER.left + ABOVE_LEVER.width; ++x)
            differ += named.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) !=
                      renamed.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
    EXPECT_GT(differ, 10) << "E still written on the key after choosing K";

    writeFile("data\\d.dia", "[Actor] Korvane background 0 0 0\n[Dialogue]\n0 0 0 0 0 0 Hop#\n");
    Dialogue::open(&game->rm(), "data\\d.dia", -1);
    ASSERT_NE(game->topAs<Dialogue>(), nullptr);
    EXPECT_FALSE(keyShown()) << "the dialogue holds the keys";
    game->send(keyReleased(sf::Keyboard::Return));
    EXPECT_TRUE(keyShown());

    game->send(keyPressed(sf::Keyboard::K));
    ASSERT_TRUE(dynamic_cast<DoorEntity*>(level->getEntity(2))->isOpen());
    EXPECT_FALSE(keyShown()) << "a lever that is on ignores the key";
}

TEST_F(CuesTest, TimedSwitchesDrainABarRedInItsLastSecondAndTheSpikesTheyWillRaiseBlink)
{
    start("[TimerActivableTrigger] 3 200 420 2 4 AnimatedSprite levier.png 1 2 -1 0\n"
          "[ActivableTrigger] 4 300 420 2 4 AnimatedSprite levier.png 1 2 -1 0\n");
    standAt(180);
    game->send(keyPressed(sf::Keyboard::E));
    seconds(1);
    EXPECT_NEAR(count(UNDER_LEVER, BAR_FILL), 3 * 30 * 3 / 4, 3) << "a quarter of four seconds gone";
    seconds(2.5f);
    EXPECT_EQ(count(UNDER_LEVER, BAR_FILL), 0);
    EXPECT_NEAR(count(UNDER_LEVER, BAR_LAST_SECOND), 3 * 30 / 8, 3) << "half a second left";
    seconds(1);
    EXPECT_EQ(count(UNDER_LEVER, BAR_LAST_SECOND) + count(UNDER_LEVER, BAR_FILL), 0) << "off again";

    // A lever that only re-arms undoes nothing when its time runs out: no bar.
    standAt(280);
    game->send(keyPressed(sf::Keyboard::E));
    ASSERT_TRUE(level->getEntity(4)->isActive());
    seconds(1);
    EXPECT_EQ(count({300, 461, 32, 8}, BAR_FILL), 0);

    // Spikes a timed switch will raise blink during their last second retracted.
    writeFile("data\\relais.txt", "[IsSolid] 0\n[ActivateEntity] 5 | the spikes\n");
    start("[PicEntity] 5 400 420 AnimatedSprite pics.png 1 2 -1 0\n"
          "[ScriptedEntity] 6 800 0 data\\relais.txt Sprite bloc.png\n"
          "[TimerShootableTrigger] 7 900 100 6 3 AnimatedSprite cible.png 1 2 -1 0\n");
    auto& target = dynamic_cast<Trigger&>(*level->getEntity(7));
    target.onShoot();
    ASSERT_FALSE(level->getEntity(5)->isDeadly());
    EXPECT_EQ(LevelCues::spikesRaisedAtExpiry(*level, target),
              std::vector<PicEntity*>{dynamic_cast<PicEntity*>(level->getEntity(5))})
        << "reached through the script the target runs";

    // The raised row, see-through, over the empty retracted strip: anything but black.
    auto blinkShown = [this] { return count(SPIKES, sf::Color::Black) < 40 * 40; };
    int quiet = 0;
    for (int frame = 0; frame < 115; ++frame, step())
        quiet += !blinkShown();
    EXPECT_EQ(quiet, 115) << "retracted and quiet for almost two seconds";
    int shown = 0;
    for (int frame = 0; frame < 55; ++frame, step())
        shown += blinkShown();
    EXPECT_TRUE(shown > 15 && shown < 40) << "shown in " << shown << " frames of 55: a blink, not a glow";
    seconds(0.2f);
    EXPECT_TRUE(level->getEntity(5)->isDeadly());
    EXPECT_EQ(count(SPIKES, RAISED), 40 * 40) << "risen, drawn as they are";
}
