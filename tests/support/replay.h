#pragma once

#include "support/harness.h"

#include <functional>
#include <istream>
#include <string>
#include <vector>

// A recorded list of time-stamped inputs, replayed at the harness's fixed step.
//
// One input per line, "|" starts a comment:
//   <seconds> down <key>        key pressed and held (Q, D, Space, LShift, E, Return, Escape, F, A-Z, Num0-Num9)
//   <seconds> up <key>          key released
//   <seconds> tap <key>         pressed then released in the same frame
//   <seconds> mouse <x> <y>     pointer moved
//   <seconds> click <button> <x> <y>   button (left, right) pressed and released
//   <seconds> press <button> <x> <y>   button pressed and held
//   <seconds> release <button> <x> <y> button released
//   <seconds> end               nothing more: the replay runs until then
// Keys that the game reads as held (walking, jumping) need "down" and a later "up";
// "tap" suits keys read from events (E, Return, LShift, digits).
// Lines that start with a word are settings: "start <map>", "grant shoot|gravity",
// "expect <map>" (the map the game must be on at the end).
struct TapeInput
{
    float time = 0.f;
    std::string action;
    std::string key;
    sf::Mouse::Button button = sf::Mouse::Left;
    int x = 0;
    int y = 0;
};

class Tape
{
public:
    // False, with a message naming the line, when the tape cannot be read.
    bool read(std::istream& in, std::string& error);
    // Plays the tape on the game, frame by frame, from its current state.
    // `afterFrame`, when given, is called with the time after each frame.
    void play(GameHarness& game, const std::function<void(float)>& afterFrame = {}) const;
    // The same inputs as real hands would give them: each shifted by a random amount
    // within +-`shift` seconds (the same for a given seed), never before the tape starts
    // and never past an earlier input of the same key or of the mouse.
    Tape jittered(unsigned seed, float shift) const;
    // The values of a setting, in the order written.
    std::vector<std::string> setting(const std::string& name) const;

private:
    void send(GameHarness& game, const TapeInput& input) const;

    std::vector<TapeInput> m_inputs;
    std::vector<std::pair<std::string, std::string>> m_settings;
};
