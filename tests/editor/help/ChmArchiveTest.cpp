#include "ChmArchive.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString kHelpFile = QStringLiteral(TAGEDITOR_HELP_FILE);

TEST(ChmArchiveTest, ReadsThePagesOfTheBuiltHelpFile) {
    const ChmArchive archive(kHelpFile);
    ASSERT_TRUE(archive.IsOpen());

    const auto index = archive.Read(QStringLiteral("/index.html"));
    ASSERT_TRUE(index.has_value());
    EXPECT_TRUE(index->contains("<title>Varlen MP3 Tag Editor Help</title>"));
    EXPECT_EQ(archive.Read(QStringLiteral("index.html")), index);
    EXPECT_TRUE(archive.Read(QStringLiteral("/help.css")).has_value());
}

TEST(ChmArchiveTest, EveryLinkOfEveryPageLeadsToSomethingInTheArchive) {
    const ChmArchive archive(kHelpFile);
    ASSERT_TRUE(archive.IsOpen());
    const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"#]+)"));
    for (const char* page : {"index.html", "adding.html", "editing.html", "saving.html",
                             "undo.html", "sorting.html", "reordering.html", "playing.html"}) {
        const auto html = archive.Read(QString::fromLatin1(page));
        ASSERT_TRUE(html.has_value()) << page;
        auto matches = reference.globalMatch(QString::fromUtf8(*html));
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            EXPECT_TRUE(archive.Read(target).has_value())
                << page << " links to " << target.toStdString();
        }
    }
}

TEST(ChmArchiveTest, AnObjectThatIsNotThereGivesNothing) {
    const ChmArchive archive(kHelpFile);
    EXPECT_FALSE(archive.Read(QStringLiteral("/no-such-page.html")).has_value());
    EXPECT_FALSE(archive.Read(QString()).has_value());
}

TEST(ChmArchiveTest, AMissingOrForeignFileDoesNotOpen) {
    QTemporaryDir dir;
    const ChmArchive missing(dir.filePath(QStringLiteral("quillet.chm")));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.Read(QStringLiteral("/index.html")).has_value());

    QFile foreign(dir.filePath(QStringLiteral("foreign.chm")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(4096, 'x'));
    foreign.close();
    EXPECT_FALSE(ChmArchive(foreign.fileName()).IsOpen());

    EXPECT_FALSE(ChmArchive(dir.path()).IsOpen());
}

TEST(ChmArchiveTest, ACutOffArchiveGivesNothingOrTheWholePage) {
    QFile built(kHelpFile);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray whole = built.readAll();
    const auto page = ChmArchive(kHelpFile).Read(QStringLiteral("/index.html"));
    QTemporaryDir dir;
    for (const qsizetype length : {whole.size() / 3, whole.size() * 2 / 3, whole.size() - 1}) {
        QFile cut(dir.filePath(QStringLiteral("cut%1.chm").arg(length)));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(length));
        cut.close();

        const auto read = ChmArchive(cut.fileName()).Read(QStringLiteral("/index.html"));
        if (read.has_value()) {
            EXPECT_EQ(read, page) << "cut at " << length;
        }
    }
}

} // namespace
