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

bool CTagEditorApp::InitInstance(const QStringList& paths) {
    CSystemMessageBoxes boxes;
    // Before any file is linked, so that none is loaded half-written.
    RecoveryNotices::PlayBackAndTell(boxes);
    CTagEditorDlg dlg(boxes);
    if (!paths.isEmpty())
        dlg.AddDroppedFiles(paths);
    dlg.exec();
    return false;
}

QStringList CTagEditorApp::StartPaths(const QStringList& arguments) {
    QStringList paths;
    for (const QString& argument : arguments)
        paths << QFileInfo(argument).absoluteFilePath();
    return paths;
}
