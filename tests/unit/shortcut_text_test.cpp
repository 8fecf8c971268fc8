#include <gtest/gtest.h>

#include <string>

#include "core/config/ShortcutText.h"

namespace {

struct NamedKey {
    unsigned key;
    const char* name;
};

// Every fixed name, in UTF-8.
const NamedKey kFixedNames[] = {
    {8, "RetArr"}, {9, "Tab"}, {13, "Entr\xC3\xA9" "e"}, {27, "Echap"}, {32, "Espace"},
    {33, "PagePr\xC3\xA9" "c"}, {34, "PageSuiv"}, {35, "Fin"}, {36, "Origine"}, {37, "Gauche"},
    {38, "Haut"}, {39, "Droite"}, {40, "Bas"}, {45, "Ins"}, {46, "Suppr"},
    {'0', "0"}, {'9', "9"}, {'A', "A"}, {'C', "C"}, {'Z', "Z"},
    {112, "F1"}, {121, "F10"}, {123, "F12"}, {135, "F24"},
};

class NoLayoutNames : public ::testing::Test {
protected:
    void SetUp() override { SetKeyNameSource(nullptr); }
    void TearDown() override { SetKeyNameSource(nullptr); }
};

using ShortcutTextFixed = NoLayoutNames;

TEST_F(ShortcutTextFixed, EveryFixedNameBothWaysWithEveryModifierSet)
{
    const TShortCut modifierSets[] = {0, scAlt, scCtrl | scAlt, scShift | scCtrl, scShift | scCtrl | scAlt};
    const char* prefixes[] = {"", "Alt+", "Ctrl+Alt+", "Maj+Ctrl+", "Maj+Ctrl+Alt+"};
    for (const NamedKey& k : kFixedNames) {
        for (std::size_t m = 0; m < std::size(modifierSets); ++m) {
            const TShortCut sc = TShortCut(modifierSets[m] | k.key);
            const std::string text = std::string(prefixes[m]) + k.name;
            EXPECT_EQ(ShortcutName(sc), text) << k.key;
            EXPECT_EQ(ShortcutFromName(text), sc) << text;
        }
    }
}

TEST_F(ShortcutTextFixed, KeypadDigitsAreWrittenAsDigitsAndReadBackAsMainDigits)
{
    for (unsigned d = 0; d <= 9; ++d) {
        const std::string digit(1, char('0' + d));
        EXPECT_EQ(ShortcutName(TShortCut(scCtrl | (96 + d))), "Ctrl+" + digit);
        EXPECT_EQ(ShortcutFromName("Ctrl+" + digit), TShortCut(scCtrl | ('0' + d)));
    }
}

TEST_F(ShortcutTextFixed, PrefixesReadInAnyOrderAndCase)
{
    const struct {
        const char* text;
        TShortCut expected;
    } cases[] = {
        {"Alt+C", scAlt | 'C'},
        {"alt+c", scAlt | 'C'},
        {"ALT+C", scAlt | 'C'},
        {"Alt+c", scAlt | 'C'},
        {"^C", scCtrl | 'C'},
        {"^^C", scCtrl | 'C'},
        {"Maj+Ctrl+F5", scShift | scCtrl | 116},
        {"Alt+Ctrl+Maj+F5", scShift | scCtrl | scAlt | 116},
        {"ctrl+maj+alt+suppr", scShift | scCtrl | scAlt | 46},
        {"^alt+K", scCtrl | scAlt | 'K'},
        {"ENTR\xC3\x89" "E", 13},
        {"pagepr\xC3\xA9" "c", 33},
        {"Alt+PAGEPR\xC3\x89" "C", scAlt | 33},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortcutFromName(c.text), c.expected) << c.text;
    // Written back in the one order, whatever order it was read in.
    EXPECT_EQ(ShortcutName(ShortcutFromName("Alt+Ctrl+Maj+F5")), "Maj+Ctrl+Alt+F5");
}

TEST_F(ShortcutTextFixed, NothingUsableReadsAsNoShortcut)
{
    for (const char* text : {"", "Alt+", "Maj+Ctrl+", "^", "Shift+C", "Alt+CC", "Alt+ C", "Alt+F25", "F0",
                             "Entree", "Del", "Alt+C+", "Alt-C", "K+Alt"})
        EXPECT_EQ(ShortcutFromName(text), 0) << text;
}

TEST_F(ShortcutTextFixed, KeyWithoutNameGivesEmptyTextWhateverTheModifiers)
{
    EXPECT_EQ(ShortcutName(0), "");
    EXPECT_EQ(ShortcutName(scAlt | scCtrl), "");
    EXPECT_EQ(ShortcutName(scAlt | 188), ""); // punctuation, no layout names plugged in
    EXPECT_EQ(ShortcutName(scAlt | 0x1FFF), "");
}

TEST(ShortcutTextLayout, KeysOutsideTheFixedNamesComeFromTheLayoutSource)
{
    SetKeyNameSource([](unsigned vk) -> std::string {
        switch (vk) {
        case 188: return ",";
        case 107: return "KP_Add";
        case 13: return "Return"; // never asked: fixed names win
        default: return {};
        }
    });
    EXPECT_EQ(ShortcutName(scCtrl | scAlt | 188), "Ctrl+Alt+,");
    EXPECT_EQ(ShortcutFromName("Ctrl+Alt+,"), TShortCut(scCtrl | scAlt | 188));
    EXPECT_EQ(ShortcutName(107), "KP_Add");
    EXPECT_EQ(ShortcutFromName("kp_add"), TShortCut(107));
    EXPECT_EQ(ShortcutName(13), "Entr\xC3\xA9" "e");
    EXPECT_EQ(ShortcutFromName("Return"), 0);
    EXPECT_EQ(ShortcutName(scAlt | 190), "");
    SetKeyNameSource(nullptr);
    EXPECT_EQ(ShortcutName(scCtrl | scAlt | 188), "");
}

} // namespace
