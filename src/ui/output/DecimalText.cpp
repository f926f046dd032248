#include "ui/output/DecimalText.h"

#include <climits>

namespace DecimalText {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int Atoi(std::string_view text)
{
    size_t position = 0;
    while (position < text.size() && IsBlank(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    long long value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        value = value * 10 + (text[position] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::string Clamp(const std::string& text, int minimum, int maximum)
{
    const int value = Atoi(text);
    if (value < minimum) return std::to_string(minimum);
    if (value > maximum) return std::to_string(maximum);
    return text;
}

}  // namespace DecimalText
