#include "mailhooks/band_geometry.hpp"

#include <gtest/gtest.h>

namespace tintbox::mailhooks {
namespace {

constexpr CGSize kRow{320, 44};

TEST(ListBandGeometry, AtCreationIsHeightFactorTimesRowPlusFourAndSpansWideSettings) {
    EXPECT_EQ(listBandAtCreation(6, 2, kRow),
              (BandPlacement{CGRectMake(0, 0, 6, 96), UIViewAutoresizingNone}));
    EXPECT_EQ(listBandAtCreation(320, 1, kRow),
              (BandPlacement{CGRectMake(0, 0, 320, 48), UIViewAutoresizingFlexibleWidth}));
    EXPECT_EQ(listBandAtCreation(400, 2, kRow),
              (BandPlacement{CGRectMake(0, 0, 320, 96), UIViewAutoresizingFlexibleWidth}));
    // The height is held in single precision.
    EXPECT_EQ(listBandAtCreation(6, 3, {320, 43.3}).frame.size.height,
              static_cast<double>(static_cast<float>(3 * (43.3 + 4.0))));
}

TEST(ListBandGeometry, AtLayoutIsRowHighAtTheEndOfItsType) {
    struct Case {
        std::int32_t type, width;
        CGRect expected;
    };
    for (const Case& c :
         {Case{1, 6, CGRectMake(0, 0, 6, 44)}, Case{2, 6, CGRectMake(314, 0, 6, 44)},
          Case{0, 6, CGRectMake(0, 0, 6, 44)}, Case{7, 10, CGRectMake(0, 0, 10, 44)},
          Case{2, 320, CGRectMake(0, 0, 320, 44)}, Case{1, 400, CGRectMake(0, 0, 320, 44)}})
        EXPECT_EQ(listBandAtLayout(c.type, c.width, kRow), c.expected)
            << "type " << c.type << " width " << c.width;
    EXPECT_EQ(listBandAtLayout(1, 6, {320, 44.7}).size.height,
              static_cast<double>(static_cast<float>(44.7)));
}

TEST(MessageBandGeometry, AreasWidthsAndAlignments) {
    const MessageHeaderGeometry header{CGRectMake(20, 30, 200, 20), 100, 320};
    struct Case {
        MessageBandSettings band;
        CGRect expected;
    };
    const Case cases[] = {
        // A box around the subject: 5 points either side, or a narrower band at either end.
        {{1, 4096, 1}, CGRectMake(15, 30, 210, 20)},
        {{1, 40, 1}, CGRectMake(15, 30, 40, 20)},
        {{1, 40, 2}, CGRectMake(195, 30, 40, 20)},
        {{1, 210, 2}, CGRectMake(15, 30, 210, 20)},
        // Above the subject, from the subject down, the whole header.
        {{2, 4096, 1}, CGRectMake(0, 0, 320, 30)},
        {{2, 12, 2}, CGRectMake(308, 0, 12, 30)},
        {{3, 4096, 2}, CGRectMake(0, 30, 320, 70)},
        {{3, 12, 1}, CGRectMake(0, 30, 12, 70)},
        {{4, 4096, 1}, CGRectMake(0, 0, 320, 100)},
        {{4, 12, 2}, CGRectMake(308, 0, 12, 100)},
        {{4, 320, 2}, CGRectMake(0, 0, 320, 100)},
        // Any other type: a 10-point strip at the top.
        {{7, 4096, 1}, CGRectMake(0, 0, 320, 10)},
        {{7, 12, 2}, CGRectMake(308, 0, 12, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageBandFrame(c.band, header), c.expected)
            << "type " << c.band.type << " width " << c.band.width << " alignment "
            << c.band.alignment;
}

TEST(MessageBandGeometry, WidthAndOffsetAreSinglePrecision) {
    const MessageHeaderGeometry header{CGRectMake(20.1, 30, 200.3, 20), 100, 320.7};
    const CGRect box = messageBandFrame({1, 4096, 1}, header);
    EXPECT_EQ(box.size.width, static_cast<double>(static_cast<float>(210.3)));
    const CGRect right = messageBandFrame({4, 12, 2}, header);
    EXPECT_EQ(right.origin.x, static_cast<double>(static_cast<float>(320.7 - 12)));
}

TEST(MailboxBandGeometry, LeftOrRightEdgeAndTheWholeAreaWhenWide) {
    EXPECT_EQ(mailboxBand(1, 14, kRow, 320),
              (BandPlacement{CGRectMake(0, 0, 14, 44), UIViewAutoresizingNone}));
    EXPECT_EQ(mailboxBand(2, 14, kRow, 320),
              (BandPlacement{CGRectMake(306, 0, 14, 44), UIViewAutoresizingNone}));
    // As wide as the row or wider: the area the band lies in, now and as it changes.
    for (const std::int32_t type : {1, 2}) {
        EXPECT_EQ(mailboxBand(type, 4096, kRow, 320),
                  (BandPlacement{CGRectMake(0, 0, 320, 44), UIViewAutoresizingFlexibleWidth}));
        EXPECT_EQ(mailboxBand(type, 320, kRow, 0),
                  (BandPlacement{CGRectMake(0, 0, 0, 44), UIViewAutoresizingFlexibleWidth}));
    }
    EXPECT_EQ(mailboxBandAtCreation(14, kRow, 0),
              (BandPlacement{CGRectMake(0, 0, 14, 44), UIViewAutoresizingNone}));
    EXPECT_EQ(mailboxBandAtCreation(4096, kRow, 0),
              (BandPlacement{CGRectMake(0, 0, 0, 44), UIViewAutoresizingFlexibleWidth}));
}

} // namespace
} // namespace tintbox::mailhooks
