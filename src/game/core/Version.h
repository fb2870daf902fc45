#pragma once

// The version the console banner and --version show.
constexpr const char* kGameVersion = "1.0.2048.11155";
