#pragma once

class RessourceManager;

// The arrow a screen with buttons shows over whatever cursor was there (the crosshair
// once the character has the gun); that cursor comes back when the screen goes.
class ArrowCursor
{
public:
    ArrowCursor() = default;
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
    ~ArrowCursor();

    void show(RessourceManager* rm);
    // Gives the cursor below back now: a screen that reloads the level calls it first, so
    // that the character's crosshair, granted or withdrawn by the reload, stays its own.
    void release();

private:
    RessourceManager* m_RManager = nullptr;
};
