#include "tracelines.h"

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

TraceLines::TraceLines(std::function<void(const std::string&)> listener)
    : m_listener(std::move(listener)),
      m_previous(std::cout.rdbuf(this))
{
}

TraceLines::~TraceLines()
{
    std::cout.rdbuf(m_previous);
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

bool readWholeFile(const std::string& hostFile, std::string& text)
{
    std::ifstream file(hostFile, std::ios::binary);
    if (!file)
        return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}
