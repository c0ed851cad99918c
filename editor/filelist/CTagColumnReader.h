#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Reads the tag columns' texts of files on a thread of its own, so the window answers while
// hundreds of files are read; what it read comes back in small batches, in the order asked.
class CTagColumnReader : public QObject {
    Q_OBJECT
public:
    explicit CTagColumnReader(QObject* parent = nullptr);
    // Waits for the file being read, and reads no further.
    ~CTagColumnReader() override;

    void Read(const QStringList& paths);
    // Whether files asked for are still being read.
    bool IsBusy() const { return m_pending->load() > 0; }

signals:
    // TEXTS[i] are the columns of PATHS[i].
    void read(const QStringList& paths, const QList<QStringList>& texts);

private:
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_stopping;
    std::shared_ptr<std::atomic<int>> m_pending;
};
