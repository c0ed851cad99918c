#include "FileListAdmission.h"

#include "FileListTexts.h"
#include "IMp3Check.h"

namespace FileListAdmission {

namespace {

// A notice stays readable on the screen: beyond this many files only their number is given.
constexpr int kNamedAtMost = 10;

} // namespace

Sorted Sort(const QStringList& paths, const IMp3Check& check) {
    Sorted sorted;
    QStringList lines;
    int unnamed = 0;
    for (const QString& path : paths) {
        const QString why = check.WhyNotMp3(path);
        if (why.isEmpty())
            sorted.mp3s << path;
        else if (lines.size() < kNamedAtMost)
            lines << FileListTexts::tr(FileListTexts::kLeftOutLine).arg(path, why);
        else
            ++unnamed;
    }
    if (unnamed > 0)
        lines << FileListTexts::tr(FileListTexts::kLeftOutMore, nullptr, unnamed);
    if (!lines.isEmpty())
        sorted.leftOutText =
            FileListTexts::tr(FileListTexts::kLeftOutNotice).arg(lines.join(QLatin1Char('\n')));
    return sorted;
}

} // namespace FileListAdmission
