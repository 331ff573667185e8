#pragma once
// The game names its files as Windows paths relative to the working directory ("x\\plu2c.x").

#include <string>
#include <string_view>

namespace platform {

// Turns the game's name into a path for this system: backslashes become slashes, and where the exact
// name is missing a case-insensitive match in the same folder is used ("x\\Enemy04.x" finds "x/enemy04.x").
// Returns the converted name unchanged when nothing matches, so that the open fails as it should.
std::string ResolveGamePath(std::string_view gameName);

// The short name the load-failure messages use: the file name without folder and extension.
std::string ShortName(std::string_view gameName);

}  // namespace platform
