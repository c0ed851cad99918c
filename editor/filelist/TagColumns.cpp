#include "TagColumns.h"

#include "FileListTexts.h"
#include "GenreTable.h"
#include "TagEditingSession.h"

#include <QFile>

namespace TagColumns {

namespace {

struct Column {
    const char* heading;
    int width;
    bool asNumber;
};

constexpr Column kColumns[kCount] = {
    {FileListTexts::kColumnTitle, 140, false}, {FileListTexts::kColumnArtist, 120, false},
    {FileListTexts::kColumnAlbum, 120, false}, {FileListTexts::kColumnTrack, 64, true},
    {FileListTexts::kColumnYear, 50, true},    {FileListTexts::kColumnGenre, 90, false},
};

QString GenreText(unsigned number) {
    if (number == GenreTable::kNoGenre)
        return {};
    const char* row = GenreTable::RowText(GenreTable::RowForNumber(number));
    return row != nullptr ? QString::fromLatin1(row) : QString::number(number);
}

} // namespace

const char* Heading(int index) {
    return kColumns[index].heading;
}

int Width(int index) {
    return kColumns[index].width;
}

bool SortsAsNumber(int index) {
    return index >= 0 && index < kCount && kColumns[index].asNumber;
}

QStringList Read(const QString& path) {
    TagEditingSession session;
    session.Link(QFile::encodeName(path).toStdString());
    if (!session.ReadError().empty())
        return QStringList(kCount, QString());
    const TagFields& texts = session.Held().texts;
    const auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    return {text(texts.title), text(texts.artist), text(texts.album),
            text(texts.track), text(texts.year),   GenreText(session.GenreNumber())};
}

} // namespace TagColumns
