#include "CTagColumnReader.h"

#include "TagColumns.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

namespace {

// What is read goes back to the window at least this often, and after this many files.
constexpr int kBatchMs = 50;
constexpr int kBatchFiles = 25;

} // namespace

CTagColumnReader::CTagColumnReader(QObject* parent)
    : QObject(parent), m_stopping(std::make_shared<std::atomic<bool>>(false)),
      m_pending(std::make_shared<std::atomic<int>>(0)) {
    // One reader: files come back in the order they were asked for.
    m_pool.setMaxThreadCount(1);
}

CTagColumnReader::~CTagColumnReader() {
    m_stopping->store(true);
    m_pool.clear();
    m_pool.waitForDone();
}

void CTagColumnReader::Read(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    m_pending->fetch_add(1);
    QPointer<CTagColumnReader> self(this);
    m_pool.start([self, paths, stopping = m_stopping, pending = m_pending] {
        QStringList donePaths;
        QList<QStringList> doneTexts;
        QElapsedTimer sinceSent;
        sinceSent.start();
        // Hands what was read to the reader's own thread, where its signal goes out, unless the
        // reader went away meanwhile.
        const auto send = [&](bool last) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, donePaths, doneTexts, last, pending] {
                    if (last)
                        pending->fetch_sub(1);
                    if (self && !donePaths.isEmpty())
                        emit self->read(donePaths, doneTexts);
                },
                Qt::QueuedConnection);
            donePaths.clear();
            doneTexts.clear();
            sinceSent.restart();
        };
        for (const QString& path : paths) {
            if (stopping->load())
                break;
            donePaths << path;
            doneTexts << TagColumns::Read(path);
            if (donePaths.size() >= kBatchFiles || sinceSent.elapsed() >= kBatchMs)
                send(false);
        }
        send(true);
    });
}
