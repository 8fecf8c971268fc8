#include "config/DecimalSeparator.h"

namespace {
char g_decimalSeparator = '.';
}

char DecimalSeparator() { return g_decimalSeparator; }
void SetDecimalSeparator(char separator) { g_decimalSeparator = separator; }
