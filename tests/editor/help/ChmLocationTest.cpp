#include "ChmLocation.h"

#include <gtest/gtest.h>

namespace {

void ExpectParts(const QString& location, const QString& archive, const QString& page) {
    const ChmLocation parsed = ChmLocation::Parse(location);
    EXPECT_EQ(parsed.archivePath, archive) << location.toStdString();
    EXPECT_EQ(parsed.page, page) << location.toStdString();
}

TEST(ChmLocationTest, SplitsTheArchiveFromThePage) {
    ExpectParts(QStringLiteral("/opt/tageditor/quillet.chm::/index.html"),
                QStringLiteral("/opt/tageditor/quillet.chm"), QStringLiteral("/index.html"));
    ExpectParts(QStringLiteral("/a::b/quillet.chm::/saving.html"),
                QStringLiteral("/a::b/quillet.chm"), QStringLiteral("/saving.html"));
}

TEST(ChmLocationTest, FillsInWhatIsLeftOut) {
    ExpectParts(QStringLiteral("/x/quillet.chm::undo.html"), QStringLiteral("/x/quillet.chm"),
                QStringLiteral("/undo.html"));
    ExpectParts(QStringLiteral("/x/quillet.chm::"), QStringLiteral("/x/quillet.chm"),
                QStringLiteral("/index.html"));
    ExpectParts(QStringLiteral("/x/quillet.chm"), QStringLiteral("/x/quillet.chm"),
                QStringLiteral("/index.html"));
}

} // namespace
