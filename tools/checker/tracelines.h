#pragma once

#include <functional>
#include <iostream>
#include <string>
#include <vector>

struct Problem;

// A file's text read from memory by a stream that knows which line it has reached:
// an error the game's readers print while reading it belongs to that line.
class CountedText : public std::istream
{
public:
    explicit CountedText(std::string text);
    CountedText(const CountedText&) = delete;
    CountedText& operator=(const CountedText&) = delete;

    // 1 for the first line; a line break counts once it has been consumed.
    int line() const;

private:
    class Buffer : public std::streambuf
    {
    public:
        explicit Buffer(std::string& text);
        int line() const;
    };

    std::string m_text;
    Buffer m_buffer;
};

// Standard output, where the game writes its trace (or another stream, such as the
// library's error stream), cut into lines and handed to a listener while it lives
// (nothing reaches the terminal). Without a listener the trace is simply dropped, as
// the search does.
class TraceLines : public std::streambuf
{
public:
    explicit TraceLines(std::function<void(const std::string&)> listener = {}, std::ostream& stream = std::cout);
    TraceLines(const TraceLines&) = delete;
    TraceLines& operator=(const TraceLines&) = delete;
    ~TraceLines() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

private:
    std::function<void(const std::string&)> m_listener;
    std::string m_line;
    std::ostream& m_stream;
    std::streambuf* m_previous;
};

// While it lives, each error the game prints (its detail lines joined to it) becomes a
// problem of `file` at the line `line` gives as it is printed: the game's error lines,
// its digit counts brought back into range, and the music the library cannot open.
class ErrorLines
{
public:
    ErrorLines(std::string file, std::function<int()> line, std::vector<Problem>& problems);

private:
    void hear(const std::string& line);

    std::string m_file;
    std::function<int()> m_line;
    std::vector<Problem>& m_problems;
    bool m_detail = false;
    TraceLines m_trace;
    TraceLines m_libraryErrors;
};

bool startsWith(const std::string& text, const std::string& start);

// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::string& hostFile, std::string& text);
