#pragma once

// Resource, control and command identifiers of the editor window, as the rest of the
// program (menus, toolbar, list, tests) refers to them.
namespace EditorIds {

// Dialog templates, menus, toolbar, bitmaps, icon.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_TAGEDITOR_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_MAINMENU = 131;
constexpr int IDB_TOOLBAR_NORMAL = 132;
constexpr int IDB_TOOLBAR_HOT = 133;
constexpr int IDR_TOOLBAR = 134;
constexpr int IDR_POPUP_MENU = 136;

// Controls of the editor dialog.
constexpr int IDC_FILE_LIST = 1000;
constexpr int IDC_WEB_LINK = 1001;
constexpr int IDC_TITLE = 1004;
constexpr int IDC_ARTIST = 1005;
constexpr int IDC_GENRE = 1006;
constexpr int IDC_COMMENTS = 1007;
constexpr int IDC_ALBUM = 1008;
constexpr int IDC_YEAR = 1009;
constexpr int IDC_STATUSBAR = 10350;

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

} // namespace EditorIds
