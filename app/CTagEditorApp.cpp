#include "CTagEditorApp.h"

#include "CSystemMessageBoxes.h"
#include "CTagEditorDlg.h"

#include <QCoreApplication>
#include <QFileInfo>

CTagEditorApp::CTagEditorApp() {
    QCoreApplication::setApplicationName(
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

bool CTagEditorApp::InitInstance() {
    CSystemMessageBoxes boxes;
    CTagEditorDlg dlg(boxes);
    dlg.exec();
    return false;
}
