#include "entities/bullet.h"
#include "entities/structentity.h"
#include "entities/trigger.h"
#include "support/leveldata.h"

#include <algorithm>

// Levers and targets, stepped in a level at a fixed 1/60 s. The trigger's picture is
// a sheet of two rows (off, on); its destination is the door or the spikes before it.
class TriggerTest : public LevelTest
{
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writeImage("data\\graphics\\map\\T\\levier.png", 32, 80);
        writeSound("data\\sounds\\trigger.ogg", 0.05f);
    }
    // The door (1), the spikes (2), and the triggers, each a "kind id x y destination delay".
    void startWith(std::initializer_list<const char*> triggers)
    {
        std::string content = "[DoorEntity] 1 600 350 Sprite porte.png\n"
                              "[PicEntity] 2 700 440 AnimatedSprite pics.png 1 2 -1 0\n";
        for (const char* trigger : triggers)
            content += std::string(trigger) + " AnimatedSprite levier.png 1 2 -1 0\n";
        replaceLevel(content);
        player().setPosition(10, 10);
        clearTrace();
    }
    DoorEntity& door(int id = 1)
    {
        return *dynamic_cast<DoorEntity*>(level->getEntity(id));
    }
    Entity& trigger(int id = 3)
    {
        return *level->getEntity(id);
    }
    int row(int id = 3)
    {
        return dynamic_cast<const AnimatedSprite&>(trigger(id).getSprite()).getEtatY();
    }
    // Each click of a trigger asks the sound cache for the click once.
    int clicks() const
    {
        int count = 0;
        for (const std::string& line : trace())
            count += line.find("l'item : data\\sounds\\trigger.ogg") != std::string::npos;
        return count;
    }
};

TEST_F(TriggerTest, LeversOpenTheirDoorForGoodOrForAWhile)
{
    startWith({"[ActivableTrigger] 3 100 100 1 -1"});
    EXPECT_TRUE(trigger().isActivable());
    EXPECT_FALSE(trigger().isSolid());
    trigger().activate();
    trigger().activate();
    EXPECT_TRUE(door().isOpen());
    EXPECT_EQ(row(), 1);
    EXPECT_EQ(clicks(), 1);
    seconds(100);
    EXPECT_EQ(row(), 1) << "a lever for good stays on";
    EXPECT_TRUE(door().isOpen());

    // A re-arming lever turns off silently and toggles the door on the next pull.
    startWith({"[ActivableTrigger] 3 100 100 1 3"});
    trigger().activate();
    EXPECT_TRUE(door().isOpen());
    seconds(1);
    trigger().activate();
    EXPECT_EQ(clicks(), 1) << "ignored while on";
    seconds(1.95f);
    EXPECT_EQ(row(), 1);
    seconds(0.1f);
    EXPECT_EQ(row(), 0);
    EXPECT_EQ(clicks(), 1) << "re-armed without a sound";
    EXPECT_TRUE(door().isOpen());
    trigger().activate();
    EXPECT_FALSE(door().isOpen());
    EXPECT_EQ(clicks(), 2);

    // A timed lever closes the door again with a second click.
    startWith({"[TimerActivableTrigger] 3 100 100 1 3"});
    trigger().activate();
    seconds(2.95f);
    EXPECT_TRUE(door().isOpen());
    seconds(0.1f);
    EXPECT_FALSE(door().isOpen());
    EXPECT_EQ(row(), 0);
    EXPECT_EQ(clicks(), 2);

    startWith({"[TimerActivableTrigger] 3 100 100 1 0"});
    trigger().activate();
    EXPECT_TRUE(door().isOpen());
    step();
    EXPECT_FALSE(door().isOpen()) << "without delay, undone at the next update";
    EXPECT_EQ(clicks(), 2);
}

TEST_F(TriggerTest, TargetsAndChains)
{
    startWith({"[TimerShootableTrigger] 3 300 300 2 3"});
    EXPECT_TRUE(trigger().isSolid());
    EXPECT_TRUE(trigger().isShootable());
    level->addBullet(new Bullet(&game->rm(), 100, {305, 305, 1, 0}));
    level->addBullet(new Bullet(&game->rm(), 100, {310, 310, 1, 0}));
    step();
    EXPECT_TRUE(level->getBullets().empty()) << "the target stops every bullet";
    Entity& spikes = *level->getEntity(2);
    EXPECT_FALSE(spikes.isDeadly()) << "retracted while the target is lit";
    EXPECT_EQ(clicks(), 1) << "only the first bullet counts";
    seconds(3.05f);
    EXPECT_TRUE(spikes.isDeadly());
    EXPECT_EQ(dynamic_cast<const AnimatedSprite&>(spikes.getSprite()).getEtatY(), 0);

    // Chains reach through a trigger that is off.
    startWith({"[ActivableTrigger] 3 100 100 1 -1", "[ActivableTrigger] 4 200 100 3 -1",
               "[ActivableTrigger] 5 300 100 3 -1"});
    trigger(4).activate();
    EXPECT_TRUE(door().isOpen());
    EXPECT_EQ(row(3), 1);
    trigger(5).activate();
    EXPECT_TRUE(door().isOpen()) << "the lit lever ignores the second chain";
}

TEST_F(TriggerTest, TriggerWithoutDestinationOrPictureNeverFails)
{
    replaceLevel("[TimerActivableTrigger] 3 100 100 42 0 AnimatedSprite levier.png 1 2 -1 0\n"
                 "[TimerActivableTrigger] 4 0 0 3 0 Nothing levier.png 1 2 -1 0\n");
    EXPECT_TRUE(traced(" *** ERROR : Trigger destination dont exist !"));
    EXPECT_TRUE(traced("    * destID : 42"));
    clearTrace();
    trigger(3).activate();
    EXPECT_TRUE(trigger(3).isActive());
    EXPECT_EQ(row(3), 1);
    step();
    EXPECT_EQ(clicks(), 2) << "on and off, with nothing to activate";
    trigger(4).activate();
    step();
    game->send(mouseReleased(5, 5, sf::Mouse::Right));
    level->draw();

    // Listed before its door, a trigger names the door as missing.
    replaceLevel("[ActivableTrigger] 3 100 100 9 -1 AnimatedSprite levier.png 1 2 -1 0\n"
                 "[DoorEntity] 9 600 350 Sprite porte.png\n");
    EXPECT_TRUE(traced("    * destID : 9"));
    trigger().activate();
    EXPECT_FALSE(door(9).isOpen());
}
