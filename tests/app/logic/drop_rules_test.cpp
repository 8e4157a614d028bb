#include "app/logic/drop_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace brondavel::app {
namespace {

// Ten rows of 20 px, all visible, the last one's top at 180.
DropSpot Spot(int cursorY, int rowUnderCursor) {
    return {.rowCount = 10,
            .rowUnderCursor = rowUnderCursor,
            .cursorY = cursorY,
            .firstVisibleTop = 0,
            .lastVisibleTop = 180};
}

TEST(DropRules, DropRowFollowsTheZones) {
    EXPECT_EQ(DropRow(Spot(45, 2)), 2);
    EXPECT_EQ(DropRow({.rowCount = 0, .rowUnderCursor = -1, .cursorY = 90}), 0);
    // Off every row: near the top is row 0, below the last row's top is the
    // end, anything between is refused.
    const std::pair<int, int> offRows[] = {
        {5, 0}, {6, kDropRefused}, {180, kDropRefused}, {181, 10}};
    for (const auto& [y, row] : offRows) EXPECT_EQ(DropRow(Spot(y, -1)), row) << y;
}

TEST(DropRules, ABlockCannotLandOnItself) {
    const std::vector<int> block{3, 4, 5};
    EXPECT_TRUE(DropsOntoItself(3, block) && DropsOntoItself(5, block));
    EXPECT_FALSE(DropsOntoItself(2, block) || DropsOntoItself(6, block));
    // The span counts, not only the rows dragged.
    EXPECT_TRUE(DropsOntoItself(4, std::vector<int>{6, 2}));
    EXPECT_FALSE(DropsOntoItself(0, std::vector<int>{}));
}

TEST(DropRules, PayloadCarriesHeaderAndRows) {
    const DragHeader header{0, 3, 4242, 0x0000'7FFF'1234'5678ull};
    const std::vector<int> rows{3, 4, 5};
    std::vector<uint8_t> payload = EncodeDragPayload(header, rows);
    const auto decoded = DecodeDragHeader(payload);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::tie(decoded->marker, decoded->rowCount, decoded->process, decoded->source),
              std::tie(header.marker, header.rowCount, header.process, header.source));
    EXPECT_EQ(DecodeDraggedRows(payload), rows);

    // A count larger than the rows present reads only what is there.
    payload.resize(payload.size() - 6);
    EXPECT_EQ(DecodeDraggedRows(payload), (std::vector<int>{3}));
    // Too short for a header: not ours.
    EXPECT_FALSE(DecodeDragHeader(std::span(payload).first(19)));
    EXPECT_TRUE(DecodeDraggedRows(std::span(payload).first(3)).empty());
}

}  // namespace
}  // namespace brondavel::app
