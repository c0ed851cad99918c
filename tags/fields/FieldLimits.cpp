#include "FieldLimits.h"

#include "UnicodeText.h"

#include <algorithm>
#include <cctype>

namespace FieldLimits {
namespace {

constexpr int kLargestNumber = 999;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// 1 to 999, without a sign or blanks; leading zeros ("03", as some taggers write) are taken.
bool IsCount(const std::string& text) {
    if (text.empty() || text.size() > 4 || !AllDigits(text))
        return false;
    const int value = std::stoi(text);
    return value >= 1 && value <= kLargestNumber;
}

// "3" or "3/12".
bool IsNumberOfTotal(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return IsCount(text);
    return IsCount(text.substr(0, slash)) && IsCount(text.substr(slash + 1));
}

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsTooLong(const std::string& text, int limit) {
    return UnicodeText::CodePointCount(text) > static_cast<std::size_t>(limit);
}

std::string TooLongMessage(int limit) {
    return "Please enter no more than " + std::to_string(limit) + " characters.";
}

} // namespace

std::string Refusal(const FieldTable::Row& row, const std::string& text) {
    // An empty field keeps what the file holds, so it is never refused.
    if (row.rule == FieldTable::Rule::Genre || text.empty())
        return {};
    if (IsTooLong(text, row.limit))
        return TooLongMessage(row.limit);
    const std::string field = Lowercase(row.name);
    if (row.rule == FieldTable::Rule::Digits && !AllDigits(text))
        return "Please enter the " + field + " in digits only.";
    if (row.rule == FieldTable::Rule::Number && !IsNumberOfTotal(text))
        return "Please enter the " + field +
               " as a number from 1 to 999, or as a number and a total such as 3/12.";
    return {};
}

bool MayBecomeValue(const FieldTable::Row& row, const std::string& text) {
    switch (row.rule) {
    case FieldTable::Rule::Digits:
        return AllDigits(text);
    case FieldTable::Rule::Number:
        return std::all_of(text.begin(), text.end(),
                           [](char c) { return IsDigit(c) || c == '/'; }) &&
               std::count(text.begin(), text.end(), '/') <= 1;
    case FieldTable::Rule::Text:
    case FieldTable::Rule::Genre:
        break;
    }
    return true;
}

} // namespace FieldLimits
