#pragma once
#include <optional>
#include <string>

// The whole content of a file, byte for byte; nothing when it cannot be
// opened (errno then says why). A read error part way leaves the text short.
std::optional<std::string> ReadWholeFile(const std::string& path);
