#pragma once

#include "support/gametest.h"

// A test data tree holding every picture the menus load. Buttons are opaque
// rectangles whose top-left 10 x 10 corner is transparent, so hit tests can
// tell the picture's box from its pixels.
class MenuTest : public GameTest
{
protected:
    void SetUp() override;
    void writeButton(const std::string& gamePath, unsigned width, unsigned height);
    // The slot menus' backgrounds, their empty slot and the back arrow.
    void writeSlotMenus();
};
