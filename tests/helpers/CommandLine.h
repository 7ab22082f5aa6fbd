#pragma once

#include <cstring>

// What follows the program name (quoted or not) on a command line, from the
// blank that ends the name.
inline const char* afterProgramName(const char* line)
{
    if (*line == '"') {
        line = std::strchr(line + 1, '"');
        return line ? line + 1 : "";
    }
    while (*line && *line != ' ' && *line != '\t') ++line;
    return line;
}
