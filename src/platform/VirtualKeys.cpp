#include "platform/VirtualKeys.h"

namespace {

struct KeyRow {
    unsigned virtualKey;
    int qtKey;
    bool keypad; // Qt reports the key with Qt::KeypadModifier
};

std::vector<KeyRow> BuildKeyTable()
{
    std::vector<KeyRow> rows = {
        {8, Qt::Key_Backspace, false},
        {9, Qt::Key_Tab, false},
        {12, Qt::Key_Clear, false},
        {13, Qt::Key_Return, false},
        {19, Qt::Key_Pause, false},
        {27, Qt::Key_Escape, false},
        {32, Qt::Key_Space, false},
        {33, Qt::Key_PageUp, false},
        {34, Qt::Key_PageDown, false},
        {35, Qt::Key_End, false},
        {36, Qt::Key_Home, false},
        {37, Qt::Key_Left, false},
        {38, Qt::Key_Up, false},
        {39, Qt::Key_Right, false},
        {40, Qt::Key_Down, false},
        {44, Qt::Key_Print, false},
        {45, Qt::Key_Insert, false},
        {46, Qt::Key_Delete, false},
    };
    for (unsigned d = 0; d <= 9; ++d)
        rows.push_back({'0' + d, int(Qt::Key_0 + d), false});
    for (unsigned l = 0; l < 26; ++l)
        rows.push_back({'A' + l, int(Qt::Key_A + l), false});
    rows.push_back({93, Qt::Key_Menu, false});
    for (unsigned d = 0; d <= 9; ++d)
        rows.push_back({96 + d, int(Qt::Key_0 + d), true});
    const KeyRow keypadOperators[] = {
        {106, Qt::Key_Asterisk, true},
        {107, Qt::Key_Plus, true},
        {109, Qt::Key_Minus, true},
        {110, Qt::Key_Period, true},
        {111, Qt::Key_Slash, true},
    };
    rows.insert(rows.end(), std::begin(keypadOperators), std::end(keypadOperators));
    for (unsigned f = 0; f < 24; ++f)
        rows.push_back({112 + f, int(Qt::Key_F1 + f), false});
    const KeyRow punctuation[] = {
        {145, Qt::Key_ScrollLock, false},
        {186, Qt::Key_Semicolon, false},      // VK_OEM_1
        {187, Qt::Key_Equal, false},          // VK_OEM_PLUS
        {188, Qt::Key_Comma, false},          // VK_OEM_COMMA
        {189, Qt::Key_Minus, false},          // VK_OEM_MINUS
        {190, Qt::Key_Period, false},         // VK_OEM_PERIOD
        {191, Qt::Key_Slash, false},          // VK_OEM_2
        {192, Qt::Key_QuoteLeft, false},      // VK_OEM_3
        {219, Qt::Key_BracketLeft, false},    // VK_OEM_4
        {220, Qt::Key_Backslash, false},      // VK_OEM_5
        {221, Qt::Key_BracketRight, false},   // VK_OEM_6
        {222, Qt::Key_Apostrophe, false},     // VK_OEM_7
        {226, Qt::Key_Less, false},           // VK_OEM_102
    };
    rows.insert(rows.end(), std::begin(punctuation), std::end(punctuation));
    return rows;
}

const std::vector<KeyRow>& KeyTable()
{
    static const std::vector<KeyRow> table = BuildKeyTable();
    return table;
}

const KeyRow* RowOf(unsigned virtualKey)
{
    for (const KeyRow& row : KeyTable())
        if (row.virtualKey == virtualKey)
            return &row;
    return nullptr;
}

// With Shift held Qt reports the shifted symbol; a US keyboard's shifted
// symbols lead back to their key. Other layouts' symbols fall through to 0.
unsigned VirtualKeyOfShiftedSymbol(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Colon: return 186;
    case Qt::Key_Plus: return 187;
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Greater: return 190;
    case Qt::Key_Question: return 191;
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Bar: return 220;
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_QuoteDbl: return 222;
    case Qt::Key_Enter: return 13;
    default: return 0;
    }
}

} // namespace

int VirtualKeyToQtKey(unsigned virtualKey, Qt::KeyboardModifiers* keypadModifier)
{
    const KeyRow* row = RowOf(virtualKey);
    if (keypadModifier)
        *keypadModifier = row && row->keypad ? Qt::KeypadModifier : Qt::NoModifier;
    return row ? row->qtKey : 0;
}

unsigned VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    for (const KeyRow& row : KeyTable())
        if (row.qtKey == qtKey && row.keypad == keypad)
            return row.virtualKey;
    // Keys that Qt flags as keypad without a keypad row (Enter, the arrows of
    // a keypad without NumLock) are the main keys.
    for (const KeyRow& row : KeyTable())
        if (row.qtKey == qtKey && !row.keypad)
            return row.virtualKey;
    return VirtualKeyOfShiftedSymbol(qtKey);
}

std::vector<unsigned> KnownVirtualKeys()
{
    std::vector<unsigned> keys;
    for (const KeyRow& row : KeyTable())
        keys.push_back(row.virtualKey);
    return keys;
}

