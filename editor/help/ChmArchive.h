#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct chmFile;

// Read-only access to the objects (pages, style sheets, pictures) of a compiled HTML help
// archive. Needs no window system.
class ChmArchive {
public:
    // Opens the archive at `path`; IsOpen() tells whether that worked.
    explicit ChmArchive(const QString& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    const QString& Path() const { return m_path; }

    // The bytes of the object `name` ("/index.html"; the leading slash may be left out).
    // Nothing when the archive is not open, has no such object or cannot deliver it whole.
    std::optional<QByteArray> Read(const QString& name) const;

private:
    QString m_path;
    chmFile* m_file = nullptr;
};
