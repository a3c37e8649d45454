#pragma once

#include "support/gametest.h"
#include "support/harness.h"

#include <memory>

// A test data tree holding every picture the menus load. Buttons are opaque
// rectangles whose top-left 10 x 10 corner is transparent, so hit tests can
// tell the picture's box from its pixels.
class MenuTest : public GameTest
{
protected:
    void SetUp() override;
    // The game goes before the data tree it reads.
    void TearDown() override;
    void writeButton(const std::string& gamePath, unsigned width, unsigned height);
    // The slot menus' backgrounds, their empty slot and the back arrow.
    void writeSlotMenus();

    std::unique_ptr<GameHarness> game;
};
