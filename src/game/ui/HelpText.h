#pragma once

// The help page.
extern const char* const kHelpText;
