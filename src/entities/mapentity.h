#pragma once

#include "entities/entity.h"

#include <string>

class RessourceManager;

// Where the character enters a level: building it places the character on it.
class CurrentLevelVortex : public Entity
{
public:
    CurrentLevelVortex(RessourceManager* rm, int x, int y);
};

// The exit: touching it leads, through the interlude, to the next map; or, when it
// names the end of the campaign, to the ending.
class NextLevelVortex : public Entity
{
public:
    NextLevelVortex(RessourceManager* rm, std::string nextLevelName, int x, int y);

    void onCollision() override;
    const std::string& getNextLevelName() const;

private:
    std::string m_nextLevelName;
    bool m_signale; // the next map could not be opened, and the trace has said so
};
