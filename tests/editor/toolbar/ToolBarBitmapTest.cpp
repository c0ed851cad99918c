#include "ToolBarBitmap.h"
#include "EditorIds.h"
#include "ToolBarResource.h"

#include <gtest/gtest.h>

namespace {

const QSize kImageSize(24, 24);
const QRgb kMagenta = qRgb(255, 0, 255);

bool IsTransparent(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 0;
}

} // namespace

TEST(ToolBarBitmap, CutsTheStripIntoImagesInOrder) {
    QImage strip(72, 24, QImage::Format_RGB32);
    strip.fill(kMagenta);
    strip.setPixel(0, 0, qRgb(10, 20, 30));
    strip.setPixel(24 + 5, 7, qRgb(40, 50, 60));
    strip.setPixel(48 + 23, 23, qRgb(70, 80, 90));

    const QList<QImage> images = ToolBarBitmap::CutMaskedStrip(strip, kImageSize);

    ASSERT_EQ(images.size(), 3);
    for (const QImage& image : images) {
        EXPECT_EQ(image.size(), kImageSize);
    }
    EXPECT_EQ(images[0].pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(images[1].pixel(5, 7), qRgb(40, 50, 60));
    EXPECT_EQ(images[2].pixel(23, 23), qRgb(70, 80, 90));
}

TEST(ToolBarBitmap, MakesMagentaAndOnlyMagentaTransparent) {
    QImage strip(24, 24, QImage::Format_RGB32);
    strip.fill(kMagenta);
    strip.setPixel(3, 3, qRgb(254, 0, 254));
    strip.setPixel(4, 4, qRgb(0, 0, 0));

    const QImage image = ToolBarBitmap::CutMaskedStrip(strip, kImageSize).value(0);

    EXPECT_TRUE(IsTransparent(image, 0, 0));
    EXPECT_FALSE(IsTransparent(image, 3, 3));
    EXPECT_FALSE(IsTransparent(image, 4, 4));
}

TEST(ToolBarBitmap, RefusesAStripThatIsNotARowOfWholeImages) {
    EXPECT_TRUE(ToolBarBitmap::CutMaskedStrip(QImage(), kImageSize).isEmpty());
    EXPECT_TRUE(
        ToolBarBitmap::CutMaskedStrip(QImage(50, 24, QImage::Format_RGB32), kImageSize).isEmpty());
    EXPECT_TRUE(
        ToolBarBitmap::CutMaskedStrip(QImage(48, 23, QImage::Format_RGB32), kImageSize).isEmpty());
    EXPECT_TRUE(ToolBarBitmap::LoadMaskedStrip(999, kImageSize).isEmpty());
}

TEST(ToolBarBitmap, ShipsFivePicturesPerSetForTheToolbar) {
    const ToolBarResource* toolBar = ToolBarResource::Find(EditorIds::IDR_TOOLBAR);
    ASSERT_NE(toolBar, nullptr);
    for (int bitmapId :
         {EditorIds::IDB_TOOLBAR_NORMAL, EditorIds::IDB_TOOLBAR_HOT, toolBar->bitmapId}) {
        const QList<QImage> images = ToolBarBitmap::LoadMaskedStrip(bitmapId, toolBar->imageSize);
        ASSERT_EQ(images.size(), 5) << "bitmap " << bitmapId;
        for (const QImage& image : images) {
            // Each picture is framed by the transparent colour and has something drawn.
            EXPECT_TRUE(IsTransparent(image, 0, 23)) << "bitmap " << bitmapId;
            EXPECT_FALSE(IsTransparent(image, 12, 12)) << "bitmap " << bitmapId;
        }
    }
}

TEST(ToolBarBitmap, ShipsDoubleSizeDrawingsOfTheTwoShownSets) {
    for (int bitmapId : {EditorIds::IDB_TOOLBAR_NORMAL, EditorIds::IDB_TOOLBAR_HOT}) {
        const QList<ToolBarBitmap::Picture> pictures =
            ToolBarBitmap::LoadPictures(bitmapId, kImageSize);
        ASSERT_EQ(pictures.size(), 5) << "bitmap " << bitmapId;
        for (const ToolBarBitmap::Picture& picture : pictures) {
            ASSERT_EQ(picture.size(), 2) << "bitmap " << bitmapId;
            EXPECT_EQ(picture[0].size(), kImageSize);
            EXPECT_EQ(picture[0].devicePixelRatio(), 1.0);
            const QImage& sharp = picture[1];
            EXPECT_EQ(sharp.size(), kImageSize * 2);
            EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
            EXPECT_TRUE(IsTransparent(sharp, 0, 47)) << "bitmap " << bitmapId;
            EXPECT_FALSE(IsTransparent(sharp, 24, 24)) << "bitmap " << bitmapId;
        }
    }
    // The 16-colour set is never shown, so it has no double-size drawing.
    const ToolBarResource* toolBar = ToolBarResource::Find(EditorIds::IDR_TOOLBAR);
    ASSERT_NE(toolBar, nullptr);
    for (const ToolBarBitmap::Picture& picture :
         ToolBarBitmap::LoadPictures(toolBar->bitmapId, kImageSize))
        EXPECT_EQ(picture.size(), 1);
}

TEST(ToolBarBitmap, DrawsTheHotSetBrighterThanTheNormalOne) {
    const QList<QImage> normal =
        ToolBarBitmap::LoadMaskedStrip(EditorIds::IDB_TOOLBAR_NORMAL, kImageSize);
    const QList<QImage> hot =
        ToolBarBitmap::LoadMaskedStrip(EditorIds::IDB_TOOLBAR_HOT, kImageSize);
    ASSERT_EQ(normal.size(), hot.size());
    for (int i = 0; i < normal.size(); ++i) {
        long long normalLightness = 0;
        long long hotLightness = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                normalLightness += QColor(normal[i].pixel(x, y)).lightness();
                hotLightness += QColor(hot[i].pixel(x, y)).lightness();
            }
        }
        EXPECT_GT(hotLightness, normalLightness) << "picture " << i;
    }
}
