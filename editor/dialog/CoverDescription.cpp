#include "CoverDescription.h"

#include "EditorTexts.h"
#include "ImageHeader.h"

#include <QRegularExpression>

namespace CoverDescription {
namespace {

// ID3's names of the picture types, by number.
constexpr const char* kPictureTypes[] = {
    QT_TRANSLATE_NOOP("EditorTexts", "Other"),
    QT_TRANSLATE_NOOP("EditorTexts", "File icon"),
    QT_TRANSLATE_NOOP("EditorTexts", "Other file icon"),
    QT_TRANSLATE_NOOP("EditorTexts", "Cover (front)"),
    QT_TRANSLATE_NOOP("EditorTexts", "Cover (back)"),
    QT_TRANSLATE_NOOP("EditorTexts", "Leaflet page"),
    QT_TRANSLATE_NOOP("EditorTexts", "Media"),
    QT_TRANSLATE_NOOP("EditorTexts", "Lead artist"),
    QT_TRANSLATE_NOOP("EditorTexts", "Artist"),
    QT_TRANSLATE_NOOP("EditorTexts", "Conductor"),
    QT_TRANSLATE_NOOP("EditorTexts", "Band"),
    QT_TRANSLATE_NOOP("EditorTexts", "Composer"),
    QT_TRANSLATE_NOOP("EditorTexts", "Lyricist"),
    QT_TRANSLATE_NOOP("EditorTexts", "Recording location"),
    QT_TRANSLATE_NOOP("EditorTexts", "During recording"),
    QT_TRANSLATE_NOOP("EditorTexts", "During performance"),
    QT_TRANSLATE_NOOP("EditorTexts", "Video screen capture"),
    QT_TRANSLATE_NOOP("EditorTexts", "A bright coloured fish"),
    QT_TRANSLATE_NOOP("EditorTexts", "Illustration"),
    QT_TRANSLATE_NOOP("EditorTexts", "Band logotype"),
    QT_TRANSLATE_NOOP("EditorTexts", "Publisher logotype"),
};

} // namespace

QString PictureTypeName(int pictureType) {
    if (pictureType >= 0 && pictureType < static_cast<int>(std::size(kPictureTypes)))
        return EditorTexts::tr(kPictureTypes[pictureType]);
    return EditorTexts::tr(EditorTexts::kPictureType).arg(pictureType);
}

QString ToolTip(const CoverPicture& cover) {
    QStringList lines = {PictureTypeName(cover.pictureType),
                         QString::fromLatin1(cover.mimeType.c_str())};
    const ImageHeader header = ImageHeader::Read(cover.Bytes());
    if (header.IsReadable())
        lines << EditorTexts::tr(EditorTexts::kCoverPixels).arg(header.width).arg(header.height);
    lines << EditorTexts::tr(EditorTexts::kCoverBytes).arg(cover.Size());
    return lines.join(QLatin1Char('\n'));
}

QString FileSuffix(const std::string& mimeType) {
    const QString mime = QString::fromLatin1(mimeType.c_str()).toLower();
    if (mime == QLatin1String("image/jpeg") || mime == QLatin1String("image/jpg"))
        return QStringLiteral("jpg");
    static const QRegularExpression image(QStringLiteral("^image/([a-z0-9]{1,8})$"));
    const QRegularExpressionMatch match = image.match(mime);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("bin");
}

} // namespace CoverDescription
