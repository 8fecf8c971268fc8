#pragma once
// The update service's address is stored only as scrambled digit strings.
// Each digit is lowered by a repeating key digit (modulo 10) and the result is
// read three digits at a time as character codes. The key digits come from a
// short stored text through a fixed substitution table. The program only ever
// unscrambles; the maintainer tool tools/scramble-url makes the digit strings.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t KeyDigitCount = 11;

// The source of the key digits: 11 characters whose substitutes are digits.
extern const std::string_view KeyText;

// A permutation of the codes 1 to 255; 0 and anything outside give 0.
unsigned char KeyCharTable(int code);

// Substitutes every character through KeyCharTable and reverses the order.
std::string MapKeyText(std::string_view text);

// Fills the key digits from KeyText. Runs by itself when the program starts;
// calling it again changes nothing.
void InitKeyDigits();
// Key digits for positions 1 to 11 (index 0 to 10), each 0 to 9.
const std::array<std::uint8_t, KeyDigitCount>& KeyDigits();

bool IsDigitChar(char c);

// Reads the digit text in groups of three as character codes. A group outside
// 1 to 255 gives a random character from 1 to 254. When the length is not a
// multiple of three, two leftover digits form a last group while a single
// leftover digit after a full group is not read; the empty text is one empty
// group, read as 0.
std::string DigitsToText(std::string_view digits);

// The text that a scrambled digit string stands for. Only the digits count;
// the key position advances with each digit and restarts for every call.
std::string UnscrambleDigits(std::string_view scrambled);
