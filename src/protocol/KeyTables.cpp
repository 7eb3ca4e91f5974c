#include "protocol/KeyTables.h"

#include "base/Utf.h"

namespace protocol {

namespace {

struct UsageName {
    int usage;
    const char* name;
};

// Usages with names other than the letter, digit, F-key and numeric-pad ranges.
constexpr UsageName kNamedUsages[] = {
    {40, "Enter"},        {41, "Esc"},      {42, "Backspace"}, {43, "Tab"},       {44, "Space"},
    {45, "-"},            {46, "="},        {47, "["},         {48, "]"},         {49, "\\"},
    {51, ";"},            {52, "'"},        {53, "`"},         {54, ","},         {55, "."},
    {56, "/"},            {57, "Caps Lock"}, {70, "Print Screen"}, {71, "Scrlk"}, {72, "Pause"},
    {73, "Insert"},       {74, "Home"},     {75, "Page Up"},   {76, "Delete"},    {77, "End"},
    {78, "Page Down"},    {79, "Right"},    {80, "Left"},      {81, "Down"},      {82, "Up"},
    {83, "Num"},          {84, "//"},       {85, "Num *"},     {86, "Num -"},     {87, "Num +"},
    {88, "Enter"},        {99, "Num Del"},  {101, "Menu"},     {175, "Fn"},       {224, "Ctrl"},
    {225, "LShift"},      {226, "Alt"},     {227, "LWin"},     {228, "Ctrl"},     {229, "RShift"},
    {230, "Alt"},         {231, "RWin"},
};

struct Conversion {
    int virtualKey;
    int usage;
};

// Single virtual keys outside the letter, digit, F-key and numeric-pad ranges.
constexpr Conversion kSingleKeys[] = {
    {13, 40},   {27, 41},   {8, 42},    {9, 43},    {32, 44},   {189, 45},  {187, 46},
    {219, 47},  {221, 48},  {220, 49},  {186, 51},  {222, 52},  {192, 53},  {188, 54},
    {190, 55},  {191, 56},  {20, 57},   {44, 70},   {145, 71},  {19, 72},   {45, 73},
    {36, 74},   {33, 75},   {46, 76},   {35, 77},   {34, 78},   {39, 79},   {37, 80},
    {40, 81},   {38, 82},   {144, 83},  {111, 84},  {106, 85},  {109, 86},  {107, 87},
    {108, 88},  {96, 98},   {110, 99},  {162, 224}, {160, 225}, {164, 226}, {91, 227},
    {163, 228}, {161, 229}, {165, 230}, {92, 231},  {93, 101},  {254, 175}, {226, 100},
    {136, 136}, {137, 137}, {138, 138}, {139, 139},
};

}  // namespace

std::u16string KeyUsageName(int usage) {
    if (usage >= 4 && usage <= 29) {
        return std::u16string(1, char16_t(u'A' + (usage - 4)));
    }
    if (usage >= 30 && usage <= 38) {
        return std::u16string(1, char16_t(u'1' + (usage - 30)));
    }
    if (usage == 39) {
        return u"0";
    }
    if (usage >= 58 && usage <= 69) {
        return u"F" + base::AsciiToUtf16(std::to_string(usage - 57));
    }
    if (usage >= 89 && usage <= 97) {
        return u"Num " + base::AsciiToUtf16(std::to_string(usage - 88));
    }
    if (usage == 98) {
        return u"Num 0";
    }
    for (const UsageName& entry : kNamedUsages) {
        if (entry.usage == usage) {
            return base::AsciiToUtf16(entry.name);
        }
    }
    return {};
}

int VirtualKeyToUsage(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return 4 + (virtualKey - 'A');
    }
    if (virtualKey >= '1' && virtualKey <= '9') {
        return 30 + (virtualKey - '1');
    }
    if (virtualKey == '0') {
        return 39;
    }
    if (virtualKey >= 112 && virtualKey <= 123) {
        return 58 + (virtualKey - 112);
    }
    if (virtualKey >= 124 && virtualKey <= 135) {
        return 104 + (virtualKey - 124);
    }
    if (virtualKey >= 97 && virtualKey <= 105) {
        return 89 + (virtualKey - 97);
    }
    for (const Conversion& entry : kSingleKeys) {
        if (entry.virtualKey == virtualKey) {
            return entry.usage;
        }
    }
    return 0;
}

int ModifierUsageToBits(int usage) {
    if (usage >= 224 && usage <= 231) {
        return 1 << (usage - 224);
    }
    return usage;
}

}  // namespace protocol
