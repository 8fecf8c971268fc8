#pragma once
// The user's decimal separator, read once at start; tests may set it.

char DecimalSeparator();
void SetDecimalSeparator(char separator);
