#include "support/replay.h"

#include <algorithm>
#include <map>
#include <random>
#include <sstream>

namespace {

bool keyNamed(const std::string& name, sf::Keyboard::Key& key)
{
    static const std::map<std::string, sf::Keyboard::Key> named{
        {"Space", sf::Keyboard::Space},   {"LShift", sf::Keyboard::LShift},       {"Return", sf::Keyboard::Return},
        {"Escape", sf::Keyboard::Escape}, {"BackSpace", sf::Keyboard::BackSpace}, {"F5", sf::Keyboard::F5},
    };
    const auto found = named.find(name);
    if (found != named.end()) {
        key = found->second;
        return true;
    }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        key = static_cast<sf::Keyboard::Key>(sf::Keyboard::A + (name[0] - 'A'));
        return true;
    }
    if (name.size() == 4 && name.compare(0, 3, "Num") == 0 && name[3] >= '0' && name[3] <= '9') {
        key = static_cast<sf::Keyboard::Key>(sf::Keyboard::Num0 + (name[3] - '0'));
        return true;
    }
    return false;
}

bool buttonNamed(const std::string& name, sf::Mouse::Button& button)
{
    if (name == "left")
        button = sf::Mouse::Left;
    else if (name == "right")
        button = sf::Mouse::Right;
    else
        return false;
    return true;
}

} // namespace

bool Tape::read(std::istream& in, std::string& error)
{
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        line = line.substr(0, line.find('|'));
        std::istringstream words(line);
        TapeInput input;
        std::string first;
        if (!(words >> first))
            continue; // blank or comment
        std::istringstream time(first);
        if (!(time >> input.time)) {
            std::string value;
            words >> value;
            m_settings.emplace_back(first, value);
            continue;
        }
        sf::Keyboard::Key key;
        std::string button;
        bool ok = static_cast<bool>(words >> input.action);
        if (input.action == "down" || input.action == "up" || input.action == "tap")
            ok = ok && (words >> input.key) && keyNamed(input.key, key);
        else if (input.action == "mouse")
            ok = ok && (words >> input.x >> input.y);
        else if (input.action == "click" || input.action == "press" || input.action == "release")
            ok = ok && (words >> button >> input.x >> input.y) && buttonNamed(button, input.button);
        else
            ok = ok && input.action == "end";
        if (!ok || (!m_inputs.empty() && input.time < m_inputs.back().time)) {
            error = "line " + std::to_string(number) + ": " + line;
            return false;
        }
        m_inputs.push_back(input);
    }
    return true;
}

void Tape::play(GameHarness& game, const std::function<void(float)>& afterFrame) const
{
    float now = 0.f;
    for (const TapeInput& input : m_inputs) {
        for (; now + GameHarness::STEP / 2 < input.time; now += GameHarness::STEP) {
            game.step();
            if (afterFrame)
                afterFrame(now + GameHarness::STEP);
        }
        send(game, input);
    }
}

std::vector<std::string> Tape::setting(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& entry : m_settings)
        if (entry.first == name)
            values.push_back(entry.second);
    return values;
}

Tape Tape::jittered(unsigned seed, float shift) const
{
    std::mt19937 draw(seed);
    std::uniform_real_distribution<float> offset(-shift, shift);
    Tape shifted = *this;
    std::map<std::string, float> lastOfDevice;
    for (TapeInput& input : shifted.m_inputs) {
        if (input.action == "end") {
            input.time += shift; // it still comes after every input
            continue;
        }
        // A key is released after it is pressed, and a click follows the pointer's move.
        const std::string device = input.key.empty() ? "mouse" : input.key;
        input.time = std::max({0.f, input.time + offset(draw), lastOfDevice[device]});
        lastOfDevice[device] = input.time;
    }
    std::stable_sort(shifted.m_inputs.begin(), shifted.m_inputs.end(),
                     [](const TapeInput& a, const TapeInput& b) { return a.time < b.time; });
    return shifted;
}

void Tape::send(GameHarness& game, const TapeInput& input) const
{
    sf::Keyboard::Key key = sf::Keyboard::Unknown;
    keyNamed(input.key, key);
    if (input.action == "down" || input.action == "tap") {
        game.keyboard().hold(key);
        game.send(keyPressed(key));
    }
    if (input.action == "up" || input.action == "tap") {
        game.keyboard().release(key);
        game.send(keyReleased(key));
    }
    if (input.action == "mouse")
        game.send(mouseMoved(input.x, input.y));
    if (input.action == "click" || input.action == "press")
        game.send(mousePressed(input.x, input.y, input.button));
    if (input.action == "click" || input.action == "release")
        game.send(mouseReleased(input.x, input.y, input.button));
}
