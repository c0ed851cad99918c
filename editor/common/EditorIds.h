#pragma once

// Resource and command identifiers of the editor window, as the rest of the program (menus,
// toolbar, list, tests) refers to them.
namespace EditorIds {

// Menus, toolbar, bitmaps.
constexpr int IDR_MAINMENU = 131;
constexpr int IDB_TOOLBAR_NORMAL = 132;
constexpr int IDB_TOOLBAR_HOT = 133;
constexpr int IDR_TOOLBAR = 134;

// The controls are found by object names after their ids ("IDC_TITLE", ...), not by number.

// Commands.
constexpr int ID_FILE_NEW_LIST = 32771;
constexpr int ID_FILE_ADD_FILE = 32772;
constexpr int ID_FILE_REMOVE_FILE = 32773;
constexpr int ID_FILE_EXIT = 32774;
constexpr int ID_TOOLBAR_SAVE_FILE = 32775;
constexpr int ID_HELP_ABOUT = 32777;
constexpr int ID_HELP_CONTENTS = 32779;
constexpr int ID_FILE_SAVE_FILE = 32781;
constexpr int ID_ACTION_UNDO = 32782;
constexpr int ID_POPUP_PLAY = 32783;
constexpr int ID_POPUP_STOP = 32784;
constexpr int ID_POPUP_PAUSE = 32785;
constexpr int ID_COVER_REPLACE = 32786;
constexpr int ID_COVER_REMOVE = 32787;
constexpr int ID_COVER_SAVE_AS = 32788;
constexpr int ID_FILE_ADD_FOLDER = 32789;

} // namespace EditorIds
