#include "Words.h"

#include <cstdio>

namespace sfxgen {

Words splitWords(std::string_view line)
{
    Words words;
    std::size_t i = 0;
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        while (i < line.size() && space(line[i]))
            ++i;
        // A comment starts with a word beginning with '#' ("c#3" is a note).
        if (i < line.size() && line[i] == '#')
            break;
        std::size_t start = i;
        while (i < line.size() && !space(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string quoted(std::string_view word)
{
    return "'" + std::string(word) + "'";
}

std::string show(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

} // namespace sfxgen
