#pragma once
// Settings and language files as UTF-8 text: read only from regular files,
// written through a temporary file and a rename.
#include <QString>
#include <optional>
#include <string>

// A directory of that name counts as missing.
bool IsExistingFile(const QString& path);

// Nothing when the file cannot be read; then *error, if given, says why.
std::optional<std::string> ReadTextFile(const QString& path, QString* error = nullptr);

bool WriteTextFile(const QString& path, const std::string& text, QString* error);
