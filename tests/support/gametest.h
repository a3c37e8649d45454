#pragma once

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// Each test runs in a temporary working folder with a `data` tree of its own,
// and captures the trace the game writes to standard output.
class GameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Files of the test's data tree, named by game path (backslash separators).
    void writeFile(const std::string& gamePath, const std::string& content);
    void writeImage(const std::string& gamePath, const sf::Image& image);
    void writeImage(const std::string& gamePath, unsigned width, unsigned height,
                    const sf::Color& color = sf::Color::White);
    void writeSound(const std::string& gamePath, float seconds = 0.2f);
    std::string readFile(const std::string& gamePath) const;
    bool fileExists(const std::string& gamePath) const;
    // Copies a generated file of the game's own data folder (fonts, pictures).
    void copyGameFile(const std::string& gamePath);
    // Makes the game's own maps, pictures, sounds and fonts the test's, with empty save slots.
    void linkGameData();

    // Trace lines written since the start of the test or the last clearTrace().
    std::vector<std::string> trace() const;
    std::string traceText() const;
    // True when the trace holds this exact line.
    bool traced(const std::string& line) const;
    // True when the trace holds these lines one after the other (a message and its detail).
    bool tracedLines(const std::vector<std::string>& consecutive) const;
    void clearTrace();

private:
    std::string m_folder;
    std::string m_previousFolder;
    std::ostringstream m_trace;
    std::streambuf* m_previousBuffer = nullptr;
};

// Trace lines as the game writes them: messages with a detail line count as two lines.
std::vector<std::string> lines(const std::string& text);
