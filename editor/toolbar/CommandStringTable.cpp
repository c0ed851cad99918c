#include "CommandStringTable.h"

#include "EditorIds.h"

#include <QtGlobal>

#include <iterator>

namespace CommandStringTable {
namespace {

struct Entry {
    int commandId;
    const char* text;
};

constexpr Entry kEntries[] = {
    {EditorIds::ID_FILE_NEW_LIST,
     QT_TRANSLATE_NOOP("CommandStringTable", "New list of files to edit\nNew List")},
    {EditorIds::ID_FILE_ADD_FILE,
     QT_TRANSLATE_NOOP("CommandStringTable", "Add files to edit\nAdd Files")},
    {EditorIds::ID_FILE_REMOVE_FILE,
     QT_TRANSLATE_NOOP("CommandStringTable", "Remove files from the list\nRemove")},
    {EditorIds::ID_TOOLBAR_SAVE_FILE,
     QT_TRANSLATE_NOOP("CommandStringTable", "Save file\nSave File")},
    {EditorIds::ID_HELP_ABOUT,
     QT_TRANSLATE_NOOP("CommandStringTable", "About this software\n   About   ")},
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
