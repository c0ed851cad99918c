#pragma once

#include <QString>

// The text a toolbar button shows under its picture, taken from its command's string in the
// user's language (CommandStringTable): the last
// non-empty piece between newlines, kept exactly as written (blanks included). Empty when the
// string is missing, empty, or holds nothing but newlines.
QString ToolBarLabel(const char* commandString);
