#pragma once

#include "resources/trace.h"

#include <iostream>
#include <string>
#include <vector>

// A reference-counted cache of resources of type T, keyed by the exact path they
// were requested with. Every request and release writes a trace line.
template <typename T>
class Manager
{
public:
    Manager() = default;
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;
    ~Manager();

    const T& get(const std::string& path);
    void kill(const std::string& path);
    void kill(const T* item);

protected:
    // Loads the newest entry (the back of the vectors) from its path.
    virtual void load() = 0;

    std::vector<T*> m_Item;
    std::vector<std::string> m_Path;
    std::vector<int> m_Count;

private:
    // Index of `path`, or the size of the vectors when it is not cached.
    std::size_t find(const std::string& path) const;
};

template <typename T>
Manager<T>::~Manager()
{
    for (std::size_t i = 0; i < m_Item.size(); ++i) {
        delete m_Item[i];
        trace(" -*- ~Manager : Destruction de l'item", m_Path[i]);
    }
    m_Item.clear();
    m_Path.clear();
    m_Count.clear();
}

template <typename T>
std::size_t Manager<T>::find(const std::string& path) const
{
    std::size_t i = 0;
    while (i < m_Path.size() && m_Path[i] != path)
        ++i;
    return i;
}

template <typename T>
const T& Manager<T>::get(const std::string& path)
{
    const std::size_t i = find(path);
    if (i < m_Path.size()) {
        ++m_Count[i];
        trace(" -- Manager : Demande de l'item : " + path, "Count = " + std::to_string(m_Count[i]));
        return *m_Item[i];
    }
    m_Path.push_back(path);
    m_Count.push_back(1);
    m_Item.push_back(new T());
    std::cout << " -- Manager : Creation de l'item : " << path << std::endl;
    load();
    return *m_Item.back();
}

template <typename T>
void Manager<T>::kill(const std::string& path)
{
    const std::size_t i = find(path);
    if (i == m_Path.size())
        return;
    if (m_Count[i] == 1) {
        std::cout << " -*- Destruction de l'item : " << path << std::endl;
        m_Count.erase(m_Count.begin() + i);
        delete m_Item[i];
        m_Item.erase(m_Item.begin() + i);
        m_Path.erase(m_Path.begin() + i);
        return;
    }
    --m_Count[i];
    trace(" -*- Tentative de destruction de l'item : " + path, "Count restant = " + std::to_string(m_Count[i]));
}

template <typename T>
void Manager<T>::kill(const T* item)
{
    for (std::size_t i = 0; i < m_Item.size(); ++i) {
        if (m_Item[i] == item) {
            // Copy the key: the entry (and its path) may be erased by the release.
            const std::string path = m_Path[i];
            kill(path);
            return;
        }
    }
}
