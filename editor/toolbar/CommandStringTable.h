#pragma once

// The program's string table for its commands: each entry is a description for a status line,
// a newline, and the short name the toolbar shows under the button's picture. Each string is the
// source text of its translation in the context "CommandStringTable" (see ToolBarLabel).
namespace CommandStringTable {

// The string of a command, or nullptr when the table has none for it.
const char* Find(int commandId);

} // namespace CommandStringTable
