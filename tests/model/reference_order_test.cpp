// Reference order: a shuffled file given its original comes back to its bytes.
#include "model/reference_order.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "files/channel_data_file.h"
#include "files/flash_image_file.h"
#include "model/demo_database.h"
#include "tests/model/test_builders.h"

namespace brondavel {
namespace {

std::vector<uint8_t> FirstGenBytes(ChannelDataFile& file) {
    std::vector<uint8_t> bytes = file.BuildFile();
    std::fill(bytes.begin() + 16, bytes.begin() + 24, 0);  // the save date
    return bytes;
}

TEST(ReferenceOrder, ShuffledFirstGenerationFileGetsItsOrderAndFavouritesBackAsOneStep) {
    ChannelDataFile original("", 2, 3, 2), work("", 2, 3, 2);
    for (ChannelDataFile* f : {&original, &work})
        FillFirstGenDemo(f->db(), DemoSize{6, 10, 300, 80});
    const std::vector<uint8_t> want = FirstGenBytes(original);
    test::ShuffleChannels(work.db(), 7, true);
    work.db().MarkSaved();
    const std::vector<uint8_t> shuffled = FirstGenBytes(work);
    ASSERT_NE(shuffled, want);

    const ReferenceOrderResult r = ApplyReferenceOrder(work.db(), original.db(), true);
    EXPECT_EQ(std::tuple(r.byKey, r.byName, r.unmatched), std::tuple(380, 0, 0));
    EXPECT_EQ(FirstGenBytes(work), want);
    EXPECT_EQ(work.db().UndoLabel(), "Apply Order");
    EXPECT_EQ(work.db().modified, 1u);

    ASSERT_EQ(work.db().Undo({}), 1);
    EXPECT_EQ(FirstGenBytes(work), shuffled);
    EXPECT_EQ(work.db().modified, 0u);
    EXPECT_EQ(work.db().UndoLabel(), "Shuffle");
    ASSERT_EQ(work.db().Redo({}), 1);
    EXPECT_EQ(FirstGenBytes(work), want);
}

TEST(ReferenceOrder, RenamedChannelsMatchByKeyAndUnmatchedOnesFollowInTheirOrder) {
    // The reference is the second generation, the database the first.
    FlashImageFile reference("", 0, 4, 0);
    FillSecondGenDemo(reference.db(), DemoSize{6, 10, 40, 0});
    ChannelDataFile work("", 2, 3, 2);
    FillFirstGenDemo(work.db(), DemoSize{6, 10, 40, 0});
    DatabaseEngine& db = work.db();
    // Not the same transponders: take the reference's keys over by hand.
    std::vector<Record> tps = db.list(kTransponder).records();
    for (size_t i = 0; i < tps.size(); ++i) {
        const Record& theirs = reference.db().list(kTransponder).records()[i];
        SetField32(tps[i].data(), 0, 12, 20, reference.db().layout().FrequencyOf(theirs));
        SetField32(tps[i].data(), 4, 20, 4, ReadU16(theirs.data() + 2));
    }
    ASSERT_EQ(db.RearrangeList(kTransponder, tps, "Keys"), 1);
    std::vector<Record> tv = db.list(kTv).records();
    // Reverse the order, rename every channel, and make two unknown (by key
    // and name) and one known only by name.
    std::reverse(tv.begin(), tv.end());
    for (Record& r : tv) db.layout().StoreNameText(kTv, r, "Renamed");
    WriteU16(tv[0].data() + 2, 9000);  // first in the list now: was the last
    WriteU16(tv[1].data() + 2, 9001);
    WriteU16(tv[2].data() + 2, 9002);
    db.layout().StoreNameText(kTv, tv[2], "Sport One 2");  // reference's channel 38 is sid 38
    ASSERT_EQ(db.RearrangeList(kTv, tv, "Rename"), 1);

    const ReferenceOrderResult r = ApplyReferenceOrder(db, reference.db(), false);
    EXPECT_EQ(std::tuple(r.byKey, r.byName, r.unmatched), std::tuple(37, 1, 2));
    const std::vector<Record>& after = db.list(kTv).records();
    ASSERT_EQ(after.size(), 40u);
    // Channels with service ids 1..37 in that order, then the one matched by
    // name at its reference place (sid 38 was the 38th), then the unmatched
    // two in the order they had.
    std::vector<uint16_t> sids, want;
    for (const Record& c : after) sids.push_back(ReadU16(c.data() + 2));
    for (uint16_t sid = 1; sid <= 37; ++sid) want.push_back(sid);
    want.insert(want.end(), {9002, 9000, 9001});
    EXPECT_EQ(sids, want);
}

TEST(ReferenceOrder, RearrangeRefusesWhatIsNoRearrangement) {
    ChannelDataFile work("", 2, 3, 2);
    FillFirstGenDemo(work.db(), DemoSize{2, 2, 5, 0});
    DatabaseEngine& db = work.db();
    std::vector<Record> tv = db.list(kTv).records();
    std::vector<Record> doubled = tv;
    doubled[1] = doubled[0];  // one id twice, another missing
    EXPECT_EQ(db.RearrangeList(kTv, doubled, "x"), 0);
    std::vector<Record> moved = tv;
    db.layout().SetTransponderRef(
        moved[0], static_cast<uint16_t>(db.layout().TransponderRefOf(moved[0]) ^ 1));
    EXPECT_EQ(db.RearrangeList(kTv, moved, "x"), 0);
    tv.pop_back();
    EXPECT_EQ(db.RearrangeList(kTv, tv, "x"), 0);
    EXPECT_EQ(db.modified, 0u);
    EXPECT_EQ(db.UndoLabel(), "");
}

}  // namespace
}  // namespace brondavel
