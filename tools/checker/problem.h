#pragma once

#include <string>
#include <tuple>

// One thing an author must fix: the file (its game path), the line, what is wrong.
struct Problem
{
    std::string file;
    int line = 0;
    std::string message;

    bool operator<(const Problem& other) const
    {
        return std::tie(file, line, message) < std::tie(other.file, other.line, other.message);
    }
    bool operator==(const Problem& other) const
    {
        return file == other.file && line == other.line && message == other.message;
    }
};
