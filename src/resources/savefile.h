#pragma once

#include <istream>
#include <optional>
#include <string>

// The save file of a slot: "[Map]" and the name of the map to resume, then "[Player]"
// and the three abilities ("1 0.5 0": the gun, the interval between shots, gravity
// reversal). Readers take the sections in any order and skip words they do not know.

// The save file of slot 0, 1 or 2: "data\saves\01\save.sv" to "data\saves\03\save.sv".
std::string slotPath(unsigned slot);

// What a save file holds. A value it does not provide stays empty.
struct SavedGame
{
    std::string mapName;
    std::optional<bool> canShoot;
    std::optional<float> shootDelay;
    std::optional<bool> canToggleGravity;
};

void writeMapSection(std::ostream& file, const std::string& mapName);
void writePlayerSection(std::ostream& file, bool canShoot, float shootDelay, bool canToggleGravity);

// Reads a save file as the loading menu restores it: reading stops at the first
// value that cannot be read.
SavedGame readSavedGame(std::istream& file);
// The map a save file names, for the slot menus' icons: the last "[Map]" wins.
std::string readSlotMapName(std::istream& file);
