#pragma once

#include <QStringList>

// The application: it runs the editor window once, modally, and the program ends with it.
class CTagEditorApp {
public:
    // Names the application after its executable, the caption of the application's own
    // message boxes. Needs the QApplication to exist.
    CTagEditorApp();

    // Runs the editor window, its list starting with PATHS as if they were dropped on it, until
    // it closes. Always false: there is nothing to run after it.
    bool InitInstance(const QStringList& paths = {});

    // The files and folders named on the command line, as full paths (a drop names files so).
    static QStringList StartPaths(const QStringList& arguments);
};
