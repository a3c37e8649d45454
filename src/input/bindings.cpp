#include "input/bindings.h"

#include "input/keys.h"

#include <algorithm>

namespace {

using Key = sf::Keyboard::Key;

// The screens an action is read on: two actions of the same screen cannot share a key.
// Walking and activating are read in a level, the next line in a dialogue; the others
// keep their fixed keys.
enum class Screen
{
    Level,
    Dialogue,
    Fixed
};

Screen screenOf(Action action)
{
    if (action == Action::NextLine)
        return Screen::Dialogue;
    return isRebindable(action) ? Screen::Level : Screen::Fixed;
}

} // namespace

bool isRebindable(Action action)
{
    return indexOf(action) < REBINDABLE_COUNT;
}

Bindings::Bindings()
{
    using K = sf::Keyboard;
    m_keys[indexOf(Action::WalkLeft)] = {K::Q, K::A, K::Left};
    m_keys[indexOf(Action::WalkRight)] = {K::D, K::Right};
    m_keys[indexOf(Action::Jump)] = {K::Space, K::Up};
    m_keys[indexOf(Action::ReverseGravity)] = {K::LShift, K::Down};
    m_keys[indexOf(Action::Activate)] = {K::E};
    m_keys[indexOf(Action::NextLine)] = {K::Return, K::E, K::F, K::Space};
    m_keys[indexOf(Action::Pause)] = {K::Escape};
    m_keys[indexOf(Action::MenuUp)] = {K::Up};
    m_keys[indexOf(Action::MenuDown)] = {K::Down};
    m_keys[indexOf(Action::MenuLeft)] = {K::Left};
    m_keys[indexOf(Action::MenuRight)] = {K::Right};
    m_keys[indexOf(Action::MenuConfirm)] = {K::Return};
    m_keys[indexOf(Action::MenuBack)] = {K::Escape};
}

const std::vector<Key>& Bindings::keys(Action action) const
{
    return m_keys[indexOf(action)];
}

bool Bindings::isBound(Action action, Key key) const
{
    const std::vector<Key>& bound = keys(action);
    return std::find(bound.begin(), bound.end(), key) != bound.end();
}

bool Bindings::rebind(Action action, std::size_t slot, Key key)
{
    if (!isRebindable(action) || slot >= keys(action).size() || !canBeBound(key))
        return false;
    const Key old = m_keys[indexOf(action)][slot];
    for (std::size_t other = 0; other < REBINDABLE_COUNT; ++other) {
        if (screenOf(static_cast<Action>(other)) != screenOf(action))
            continue;
        std::replace(m_keys[other].begin(), m_keys[other].end(), key, old);
    }
    m_keys[indexOf(action)][slot] = key;
    return true;
}

bool Bindings::setKeys(Action action, const std::vector<Key>& keys)
{
    if (!isRebindable(action) || keys.empty() || keys.size() > MAX_KEYS)
        return false;
    if (!std::all_of(keys.begin(), keys.end(), canBeBound))
        return false;
    m_keys[indexOf(action)] = keys;
    return true;
}

bool Bindings::isConsistent() const
{
    for (Screen screen : {Screen::Level, Screen::Dialogue}) {
        std::vector<Key> used;
        for (std::size_t action = 0; action < REBINDABLE_COUNT; ++action)
            if (screenOf(static_cast<Action>(action)) == screen)
                used.insert(used.end(), m_keys[action].begin(), m_keys[action].end());
        std::sort(used.begin(), used.end());
        if (std::adjacent_find(used.begin(), used.end()) != used.end())
            return false;
    }
    return true;
}

bool Bindings::operator==(const Bindings& other) const
{
    return m_keys == other.m_keys;
}
