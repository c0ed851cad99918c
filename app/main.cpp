#include "CTagEditorApp.h"
#include "DisplayCheck.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    if (DisplayCheck::DisplayMissing()) {
        std::cerr << DisplayCheck::MissingDisplayMessage(argc > 0 ? argv[0] : "") << '\n';
        return 1;
    }
    QApplication application(argc, argv);
    CTagEditorApp app;
    // What a file manager's "Open With" hands over: files and folders, taken as a drop.
    app.InitInstance(CTagEditorApp::StartPaths(QCoreApplication::arguments().mid(1)));
    return 0;
}
