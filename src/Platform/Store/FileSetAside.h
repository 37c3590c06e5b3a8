#pragma once

#include <optional>
#include <string>
#include <vector>

// Moves a file that cannot be read out of the way, keeping it next to where it was under a name
// that says so ("Quillet.sqlite.unreadable-20261206-194501"). The new name, or none when the
// file could not be moved (error set). Companion files (path + suffix, such as a write-ahead log)
// that exist move with it, so that they are never applied to a new file of the old name.
std::optional<std::string> setFileAside(const std::string& path, std::string* error,
                                        const std::vector<std::string>& companionSuffixes = {});
