#include "tracelines.h"

#include "problem.h"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>

CountedText::CountedText(std::string text) : std::istream(nullptr), m_text(std::move(text)), m_buffer(m_text)
{
    rdbuf(&m_buffer);
}

int CountedText::line() const
{
    return m_buffer.line();
}

CountedText::Buffer::Buffer(std::string& text)
{
    setg(text.data(), text.data(), text.data() + text.size());
}

int CountedText::Buffer::line() const
{
    return 1 + static_cast<int>(std::count(eback(), gptr(), '\n'));
}

TraceLines::TraceLines(std::function<void(const std::string&)> listener, std::ostream& stream)
    : m_listener(std::move(listener)),
      m_stream(stream),
      m_previous(stream.rdbuf(this))
{
}

TraceLines::~TraceLines()
{
    m_stream.rdbuf(m_previous);
}

TraceLines::int_type TraceLines::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()) || !m_listener)
        return traits_type::not_eof(c);
    if (traits_type::to_char_type(c) != '\n') {
        m_line += traits_type::to_char_type(c);
        return c;
    }
    const std::string line = std::move(m_line);
    m_line.clear();
    m_listener(line);
    return c;
}

std::streamsize TraceLines::xsputn(const char* s, std::streamsize n)
{
    if (m_listener)
        for (std::streamsize i = 0; i < n; ++i)
            overflow(traits_type::to_int_type(s[i]));
    return n;
}

bool startsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

ErrorLines::ErrorLines(std::string file, std::function<int()> line, std::vector<Problem>& problems)
    : m_file(std::move(file)),
      m_line(std::move(line)),
      m_problems(problems),
      m_trace([this](const std::string& text) { hear(text); }),
      m_libraryErrors(
          [this](const std::string& text) {
              // Pictures are the checker's own to report; music only the library can judge.
              if (startsWith(text, "Failed to load music") || startsWith(text, "Failed to open sound file"))
                  m_problems.push_back({m_file, m_line(), text});
          },
          sf::err())
{
}

void ErrorLines::hear(const std::string& text)
{
    if (startsWith(text, " *** ") || startsWith(text, " -*- ERROR") ||
        startsWith(text, " -*- Nombre de chiffres hors limites")) {
        m_problems.push_back({m_file, m_line(), text.substr(5)});
        m_detail = true;
    } else if (m_detail && startsWith(text, "    * ")) {
        m_problems.back().message += " " + text.substr(6);
    } else {
        m_detail = false;
    }
}

bool readWholeFile(const std::string& hostFile, std::string& text)
{
    std::ifstream file(hostFile, std::ios::binary);
    if (!file)
        return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}
