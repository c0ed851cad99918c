#include "ChmLocation.h"

namespace {

const QString kSeparator = QStringLiteral("::");
const QString kFirstPage = QStringLiteral("/index.html");

} // namespace

ChmLocation ChmLocation::Parse(const QString& location) {
    // The last "::" splits, so that a folder whose name holds "::" still works.
    const qsizetype separator = location.lastIndexOf(kSeparator);
    if (separator < 0) {
        return {location, kFirstPage};
    }
    QString page = location.mid(separator + kSeparator.size());
    if (page.isEmpty()) {
        page = kFirstPage;
    } else if (!page.startsWith(u'/')) {
        page.prepend(u'/');
    }
    return {location.left(separator), page};
}
