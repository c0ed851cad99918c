#pragma once

// The application: it runs the editor window once, modally, and the program ends with it.
class CTagEditorApp {
public:
    // Names the application after its executable, the caption of the application's own
    // message boxes. Needs the QApplication to exist.
    CTagEditorApp();

    // Runs the editor window until it closes. Always false: there is nothing to run after it.
    bool InitInstance();
};
