#include "WindowGrowth.h"

#include <gtest/gtest.h>

namespace {

// A window of 400 x 300 pixels: the list on the left, the form's frame on the right with its
// labels at 220 and its fields from 260 to 379, a toolbar band above and a status bar below.
const QSize kSmallest{400, 300};
const QRect kList{10, 40, 190, 200};
const QRect kForm{210, 36, 180, 204};
const WindowGrowth kGrowth{kSmallest, kList, kForm, 379};

const QRect kToolBar{0, 0, 400, 30};
const QRect kStatusBar{0, 278, 400, 22};
const QRect kLabel{220, 50, 30, 12};
const QRect kField{260, 50, 120, 14};
const QRect kPlayBar{10, 242, 190, 30};
const QRect kNoticeUnderForm{210, 241, 180, 30};

TEST(WindowGrowth, AtTheSmallestSizeOrBelowEveryControlKeepsItsPlace) {
    for (const QSize size : {kSmallest, QSize(300, 200), QSize(399, 299)}) {
        for (const QRect& control : {kToolBar, kStatusBar, kLabel, kField, kPlayBar, kList, kForm})
            EXPECT_EQ(kGrowth.Place(control, size).topLeft(), control.topLeft());
    }
    EXPECT_EQ(kGrowth.Place(kField, QSize(300, 200)), kField);
}

TEST(WindowGrowth, TheListTakesTheRowsAndHalfTheWidthTheFieldsTheOtherHalf) {
    const QSize grown{400 + 201, 300 + 150};
    // 201 extra pixels: 100 for the list, 101 for the form, so nothing is lost to rounding.
    EXPECT_EQ(kGrowth.Place(kList, grown), QRect(10, 40, 190 + 100, 200 + 150));
    EXPECT_EQ(kGrowth.Place(kForm, grown), QRect(210 + 100, 36, 180 + 101, 204 + 150));
    EXPECT_EQ(kGrowth.Place(kField, grown), QRect(260 + 100, 50, 120 + 101, 14));
    EXPECT_EQ(kGrowth.Place(kLabel, grown), kLabel.translated(100, 0));
    EXPECT_EQ(kGrowth.Place(kForm, grown).right(), grown.width() - 1 - (399 - kForm.right()));

    // Two short fields on one line (a track and a disc): both move, neither widens.
    const QRect first{260, 80, 40, 14};
    const QRect secondLabel{310, 80, 20, 12};
    const QRect second{330, 80, 50, 14};
    EXPECT_EQ(kGrowth.Place(first, grown), first.translated(100, 0));
    EXPECT_EQ(kGrowth.Place(secondLabel, grown), secondLabel.translated(100, 0));
    EXPECT_EQ(kGrowth.Place(second, grown), second.translated(100, 0));
    // A square beside the fields keeps its size at the form's right edge.
    const QRect beside{382, 50, 8, 8};
    EXPECT_EQ(kGrowth.Place(beside, grown), beside.translated(100 + 101, 0));
}

TEST(WindowGrowth, BandsFollowTheWindowsEdgesAndWhatSitsUnderTheRowsMovesDown) {
    const QSize grown{400 + 100, 300 + 60};
    EXPECT_EQ(kGrowth.Place(kToolBar, grown), QRect(0, 0, 500, 30));
    EXPECT_EQ(kGrowth.Place(kStatusBar, grown), QRect(0, 278 + 60, 500, 22));
    EXPECT_EQ(kGrowth.Place(kPlayBar, grown), QRect(10, 242 + 60, 190 + 50, 30));
    EXPECT_EQ(kGrowth.Place(kNoticeUnderForm, grown), QRect(210 + 50, 241 + 60, 180 + 50, 30));
}

} // namespace
