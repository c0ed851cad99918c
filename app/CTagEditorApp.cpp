#include "CTagEditorApp.h"

#include "CSystemMessageBoxes.h"
#include "CTagEditorDlg.h"
#include "RecoveryNotices.h"

#include <QCoreApplication>
#include <QFileInfo>

CTagEditorApp::CTagEditorApp() {
    QCoreApplication::setApplicationName(
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

bool CTagEditorApp::InitInstance() {
    CSystemMessageBoxes boxes;
    // Before any file is linked, so that none is loaded half-written.
    RecoveryNotices::PlayBackAndTell(boxes);
    CTagEditorDlg dlg(boxes);
    dlg.exec();
    return false;
}
