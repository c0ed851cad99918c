#pragma once

#include "FieldTable.h"

#include <string>

// What each field of the form takes (FieldTable's rules), and what the user is told when a
// value does not fit. Characters are counted as a user sees them: code points, so a character
// outside the Basic Multilingual Plane counts once. The rules hold for what the user enters: a
// longer or otherwise odd text can only come from a file, and is kept while the user leaves it
// as it is (the session decides that).
namespace FieldLimits {

// Empty when ROW's field takes TEXT; otherwise what the user is told: "Please enter no more
// than %1 characters." with the limit in place of %1, or which form the field takes.
std::string Refusal(const FieldTable::Row& row, const std::string& text);

// Whether TEXT holds only characters ROW's rule takes, so that typing on could make it a value
// of the field (digits for Year; digits and one "/" for Track and Disc). The length is not
// judged here.
bool MayBecomeValue(const FieldTable::Row& row, const std::string& text);

} // namespace FieldLimits
