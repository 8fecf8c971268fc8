#pragma once
// The user's home folder, for every part that keeps files under it.
#include <string>

// $HOME when it is an absolute path; otherwise (unset, empty or relative) the
// account's home folder from the password database; empty when it has none.
std::string HomeFolder();

// Makes $HOME that folder, so that Qt's home path and the desktop's folders
// derived from it agree; a start with a usable $HOME keeps it.
void SettleHomeVariable();
