#include "CommandStringTable.h"

#include "EditorIds.h"

#include <iterator>

namespace CommandStringTable {
namespace {

struct Entry {
    int commandId;
    const char* text;
};

constexpr Entry kEntries[] = {
    {EditorIds::ID_FILE_NEW_LIST, "New list of files to edit\nNew List"},
    {EditorIds::ID_FILE_ADD_FILE, "Add files to edit\nAdd Files"},
    {EditorIds::ID_FILE_REMOVE_FILE, "Remove files from the list\nRemove"},
    {EditorIds::ID_TOOLBAR_SAVE_FILE, "Save file\nSave File"},
    {EditorIds::ID_HELP_ABOUT, "About this software\n   About   "},
};

} // namespace

const char* Find(int commandId) {
    for (const Entry& entry : kEntries) {
        if (entry.commandId == commandId) {
            return entry.text;
        }
    }
    return nullptr;
}

} // namespace CommandStringTable
