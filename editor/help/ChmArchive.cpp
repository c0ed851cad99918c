#include "ChmArchive.h"

#include <QFile>

#include <chm_lib.h>

namespace {

// Help pages are a few kilobytes; a damaged directory entry must not make us allocate gigabytes.
constexpr LONGUINT64 kLargestObject = 64 * 1024 * 1024;

} // namespace

ChmArchive::ChmArchive(const QString& path)
    : m_path(path), m_file(chm_open(QFile::encodeName(path).constData())) {}

ChmArchive::~ChmArchive() {
    if (m_file != nullptr) {
        chm_close(m_file);
    }
}

std::optional<QByteArray> ChmArchive::Read(const QString& name) const {
    if (m_file == nullptr || name.isEmpty()) {
        return std::nullopt;
    }
    const QString absoluteName = name.startsWith(u'/') ? name : u'/' + name;
    chmUnitInfo unit{};
    if (chm_resolve_object(m_file, absoluteName.toUtf8().constData(), &unit) !=
        CHM_RESOLVE_SUCCESS) {
        return std::nullopt;
    }
    if (unit.length > kLargestObject) {
        return std::nullopt;
    }
    QByteArray bytes(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    const auto length = static_cast<LONGINT64>(unit.length);
    if (length > 0 &&
        chm_retrieve_object(m_file, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                            length) != length) {
        return std::nullopt;
    }
    return bytes;
}
