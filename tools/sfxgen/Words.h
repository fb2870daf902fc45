#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sfxgen {

using Words = std::vector<std::string_view>;

// The whitespace-separated words of one line, up to a comment: a word that
// begins with '#' and the rest of the line after it.
Words splitWords(std::string_view line);

// Calls `onLine(number, words)` for every line that has words (numbers from 1).
template <typename OnLine>
void forEachLine(std::string_view source, OnLine onLine)
{
    std::size_t pos = 0;
    int number = 0;
    while (pos <= source.size()) {
        auto newline = source.find('\n', pos);
        if (newline == std::string_view::npos)
            newline = source.size();
        Words words = splitWords(source.substr(pos, newline - pos));
        pos = newline + 1;
        ++number;
        if (!words.empty())
            onLine(number, words);
    }
}

// Lines in the text, counting the last one even when it is empty.
inline int lineCount(std::string_view source)
{
    int lines = 1;
    for (char c : source)
        lines += c == '\n';
    return lines;
}

std::string quoted(std::string_view word);
std::string show(double value);

} // namespace sfxgen
