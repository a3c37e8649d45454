#include "resources/numbers.h"

#include <charconv>
#include <cmath>
#include <string>

void markUnreadable(std::istream& in);

namespace {

bool refuse(std::istream& in)
{
    markUnreadable(in);
    return false;
}

// Parses the whole of the next word into `value`; false at the end of the file or when
// the word is not entirely a number of that type.
template <typename T>
bool parseWord(std::istream& in, T& value)
{
    std::string word;
    if (!(in >> word))
        return false;
    const char* end = word.data() + word.size();
    const std::from_chars_result result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end ? true : refuse(in);
}

} // namespace

bool readInteger(std::istream& in, int& value, int limit)
{
    int read = 0;
    if (!parseWord(in, read))
        return false;
    if (limit != INT_MAX && (read < -limit || read > limit))
        return refuse(in);
    value = read;
    return true;
}

bool readPosition(std::istream& in, int& value)
{
    return readInteger(in, value, MAX_POSITION);
}

bool readDecimal(std::istream& in, float& value)
{
    float read = 0.f;
    if (!parseWord(in, read))
        return false;
    if (!std::isfinite(read) || std::fabs(read) > MAX_DECIMAL)
        return refuse(in);
    value = read;
    return true;
}

bool readFlag(std::istream& in, bool& value)
{
    int read = 0;
    if (!readInteger(in, read, 1))
        return false;
    if (read < 0)
        return refuse(in);
    value = read == 1;
    return true;
}

bool isUnreadable(const std::istream& in)
{
    return in.fail() && !in.eof();
}

void markUnreadable(std::istream& in)
{
    // Even when its word was the last of the file: the file did not simply end.
    in.clear();
    in.setstate(std::ios::failbit);
}
