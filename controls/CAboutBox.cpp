#include "CAboutBox.h"

#include "AppIcon.h"
#include "CDialogUnits.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>

const char* const CAboutBox::kWebAddress = "https://melvora.example/tageditor";

namespace {

// The about box's layout table, its dialog template, in dialog units.
constexpr QSize kBoxSize{234, 58};
constexpr QRect kIconRect{7, 5, 20, 20};
constexpr QRect kVersionRect{40, 8, 123, 8};
constexpr QRect kMakerRect{40, 19, 119, 8};
constexpr QRect kOkRect{177, 5, 50, 14};
constexpr QRect kWebLinkRect{39, 41, 114, 8};
constexpr QRect kRightsRect{39, 30, 119, 8};
constexpr int kIconPixels = 32;

constexpr char kCaption[] = QT_TRANSLATE_NOOP("CAboutBox", "About Varlen MP3 Tag Editor");
// %1 is the version.
constexpr char kVersion[] = QT_TRANSLATE_NOOP("CAboutBox", "Varlen MP3 Tag Editor Version %1");
constexpr char kMaker[] = QT_TRANSLATE_NOOP("CAboutBox", "Made by Melvora");
constexpr char kRights[] =
    QT_TRANSLATE_NOOP("CAboutBox", u8"Copyright \u00a9 2025\u20132026 Melvora");

// The layout table's widths fit its own font; a wider desktop font must not cut a line short.
void PlaceText(QWidget* label, const QRect& units, const CDialogUnits& dialogUnits) {
    QRect pixels = dialogUnits.ToPixels(units);
    pixels.setWidth(std::max(pixels.width(), label->sizeHint().width()));
    label->setGeometry(pixels);
}

} // namespace

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent), m_webLink(QString(), this) {
    setWindowTitle(tr(kCaption));
    // Laid out in the units of the window it belongs to, so the two look alike.
    setFont(parent != nullptr ? parent->font() : QApplication::font());
    const CDialogUnits units(font());
    setFixedSize(units.ToPixels(kBoxSize));

    // In the layout table's order, which is also the tab order.
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon::Icon().pixmap(QSize(kIconPixels, kIconPixels)));
    icon->setGeometry(QRect(units.ToPixels(kIconRect).topLeft(), QSize(kIconPixels, kIconPixels)));

    auto* version = new QLabel(tr(kVersion).arg(QStringLiteral(TAGEDITOR_VERSION)), this);
    version->setTextFormat(Qt::PlainText);
    PlaceText(version, kVersionRect, units);

    auto* maker = new QLabel(tr(kMaker), this);
    PlaceText(maker, kMakerRect, units);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    ok->setGeometry(units.ToPixels(kOkRect));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_webLink.setObjectName(QStringLiteral("IDC_WEB_LINK"));
    m_webLink.setText(QString::fromLatin1(kWebAddress));
    m_webLink.SetTarget(QString::fromLatin1(kWebAddress));
    PlaceText(&m_webLink, kWebLinkRect, units);

    auto* rights = new QLabel(tr(kRights), this);
    PlaceText(rights, kRightsRect, units);

    ok->setFocus();
}
