#include "model/record_list.h"

#include <gtest/gtest.h>

namespace brondavel {
namespace {

std::vector<int> Tags(const RecordList& list) {
    std::vector<int> tags;
    for (const Record& r : list.records()) tags.push_back(r.data()[0]);
    return tags;
}

RecordList ListOf(std::initializer_list<uint8_t> tags) {
    RecordList list(4, 4);
    for (uint8_t t : tags) {
        uint8_t stored[4] = {t, 0, 0, 0};
        list.Add(stored);
    }
    return list;
}

TEST(RecordList, MoveKeepsClipboardOrderAndUsesCurrentRecords) {
    RecordList list = ListOf({0, 1, 2, 3, 4, 5});
    // Pick up 5, 3, 4 (in that order), edit 4, and move them in front of 1.
    for (uint16_t id : {5, 3, 4}) list.clipboard().push_back(*list.FindById(id));
    uint8_t edited[4] = {99, 0, 0, 0};
    list.UpdateById(4, edited);
    list.setAnchorId(1);
    ASSERT_EQ(list.MoveClipboard(1), 1);
    EXPECT_EQ(Tags(list), (std::vector<int>{0, 5, 3, 99, 1, 2}));
    // Without an anchor nothing moves.
    list.setAnchorId(kNone);
    EXPECT_EQ(list.MoveClipboard(0), 0);
}

TEST(RecordList, DeleteByIdsRemovesFirstMatchAndRenumberIsDense) {
    RecordList list = ListOf({0, 1, 2, 3});
    // Stored order 3, 0, 2, 1 after a move-like reordering.
    auto& recs = list.mutableRecords();
    std::swap(recs[0], recs[3]);
    std::swap(recs[1], recs[3]);
    list.setAnchorId(2);
    list.clipboard().push_back(*list.FindById(3));
    list.SetActive(2, 1);
    const uint16_t ids[] = {0};
    list.DeleteByIds(ids, 1);
    const std::vector<uint16_t> map = list.Renumber();
    ASSERT_EQ(list.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.records()[i].id, i);
    EXPECT_EQ(map[0], kNone);
    EXPECT_EQ(list.FindById(map[2])->data()[0], 2);
    EXPECT_EQ(list.anchorId(), map[2]);
    EXPECT_EQ(list.ActiveOf(map[2]), 1u);
    EXPECT_EQ(list.clipboard()[0].id, map[3]);
}

}  // namespace
}  // namespace brondavel
