#include "CDialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <cmath>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;

// value * numerator / denominator, rounded half away from zero.
int ScaleRounded(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_baseX =
        ScaleRounded(metrics.horizontalAdvance(QString::fromLatin1(kAlphabet)), 1, kAlphabetLength);
    m_baseY = metrics.height();
}

CDialogUnits::CDialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

int CDialogUnits::XToPixels(int x) const {
    return ScaleRounded(x, m_baseX, 4);
}

int CDialogUnits::YToPixels(int y) const {
    return ScaleRounded(y, m_baseY, 8);
}

QRect CDialogUnits::ToPixels(const QRect& units) const {
    const int left = XToPixels(units.x());
    const int top = YToPixels(units.y());
    const int right = XToPixels(units.x() + units.width());
    const int bottom = YToPixels(units.y() + units.height());
    return QRect(left, top, right - left, bottom - top);
}

QSize CDialogUnits::ToPixels(const QSize& units) const {
    return QSize(XToPixels(units.width()), YToPixels(units.height()));
}
