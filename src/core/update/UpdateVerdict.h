#pragma once
// The update service's side of the new-version check: the query that carries
// the file version, and the verdict read from the reply.
#include <string>
#include <string_view>

#ifndef HB_UPDATE_CHECK
#define HB_UPDATE_CHECK 1
#endif
// Distributions that deliver updates themselves build without the check
// (cmake -DHB_UPDATE_CHECK=OFF): the program then never asks the service.
inline constexpr bool UpdateCheckBuiltIn = HB_UPDATE_CHECK;

// The scrambled tail of the service address (72 digits); the leading part is
// kStoredUpdateUrlDigits (config/ProgramInfo.h).
extern const std::string_view UpdateUrlTailDigits;

// The service address: both digit strings unscrambled and joined.
std::string UpdateServiceAddress(std::string_view leadingDigits);

// The verdict that means a newer version exists.
inline constexpr std::string_view OldVersionVerdict = "OldVersion";

// Address + "?A=" + the digits of the file version, every space as "_".
std::string UpdateQuery(std::string_view address, std::string_view fileVersion);

// The text between the first "<ver>" and the first "</ver>". Without an
// opening tag the verdict starts at the fifth character, as if the tag stood
// at the very front; empty without a closing tag after that start.
std::string ExtractVerdict(std::string_view body);

// False exactly for the verdict "OldVersion" (case-sensitive).
bool IsCurrentVersion(std::string_view verdict);
