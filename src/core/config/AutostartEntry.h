#pragma once
// The desktop entry that the session starts at login
// ($XDG_CONFIG_HOME/autostart/<desktop id>.desktop).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The entry's text for the command (an absolute program and its arguments);
// nothing for a command that a desktop entry cannot hold (control characters).
std::optional<std::string> AutostartEntryText(const std::vector<std::string>& command,
                                              std::string_view desktopId);

// Whether an entry starts the program: the desktop's own session settings
// switch an entry off by marking it rather than removing it.
bool AutostartEntryIsActive(std::string_view text);
