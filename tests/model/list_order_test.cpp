// Shared text lists: restoring an order, the match rules and names taken along.
#include "model/list_order.h"

#include <gtest/gtest.h>

#include "model/demo_database.h"
#include "tests/model/test_builders.h"

namespace brondavel {
namespace {

ReferenceEntry Entry(int number, const std::string& name, int sid = -1) {
    ReferenceEntry e;
    e.number = number;
    e.name = name;
    e.hasIds = sid >= 0;
    e.serviceId = static_cast<uint16_t>(sid < 0 ? 0 : sid);
    return e;
}

TEST(ListOrder, AListWrittenFromAFileRestoresAShuffledCopy) {
    FirstGenDatabase original, shuffled;
    FillFirstGenDemo(original);
    FillFirstGenDemo(shuffled);
    test::ShuffleChannels(shuffled, 7);
    ASSERT_NE(shuffled.list(kTv).records(), original.list(kTv).records());
    std::vector<ReferenceEntry> entries = ReferenceEntriesOf(original, kTv);
    const auto radio = ReferenceEntriesOf(original, kRadio);
    entries.insert(entries.end(), radio.begin(), radio.end());
    const ListOrderResult r = ApplyListOrder(shuffled, entries, false);
    EXPECT_EQ(r.unmatched, 0);
    for (int kind : {kTv, kRadio})
        EXPECT_EQ(shuffled.list(kind).records(), original.list(kind).records());
    EXPECT_EQ(shuffled.UndoLabel(), "Apply Order");
}

TEST(ListOrder, MatchRulesRepeatsAndUnmatched) {
    FirstGenDatabase db;
    test::FillSmall(db);  // TV c0, c1, c2, c3 with service id 0; radio r0
    std::vector<Record> tv = db.list(kTv).records();
    auto setSid = [&](int i, uint16_t sid) {
        ServiceRecord c = As<ServiceRecord>(tv[i]);
        c.setServiceId(sid);
        tv[i] = c.ToRecord();
    };
    setSid(0, 10);
    setSid(1, 11);
    setSid(2, 12);
    setSid(3, 12);  // sid 12 twice: not unique, so only the names decide
    db.RearrangeList(kTv, tv, "Ids");
    const ListOrderResult r = ApplyListOrder(db,
                                             {Entry(1, "C 3", 12),      // sid and name
                                              Entry(2, "renamed", 11),  // sid unique on both sides
                                              Entry(3, "nothing", 12),  // sid not unique: no match
                                              Entry(4, "R 0"),          // name, spaces ignored
                                              Entry(5, "c0", 99)},      // name when the sid differs
                                             false);
    EXPECT_EQ(r.bySidAndName, 1);
    EXPECT_EQ(r.bySid, 1);
    EXPECT_EQ(r.byName, 2);
    EXPECT_EQ(r.unmatched, 1);
    EXPECT_EQ(test::Names(db, kTv), (std::vector<std::string>{"c3", "c1", "c0", "c2"}));
}

TEST(ListOrder, NamesAreTakenThroughTheRenameRule) {
    FirstGenDatabase db;
    test::FillSmall(db);
    const ListOrderResult r =
        ApplyListOrder(db, {Entry(1, "c1"), Entry(2, "C0"), Entry(3, "c2")}, true);
    EXPECT_EQ(r.renamed, 1);  // "c0" became "C0"; the others already were
    EXPECT_TRUE(r.cutNames.empty());
    EXPECT_EQ(test::Names(db, kTv), (std::vector<std::string>{"c1", "C0", "c2", "c3"}));

    // A name longer than the field is cut and reported.
    std::vector<Record> tv = db.list(kTv).records();
    ServiceRecord c2 = As<ServiceRecord>(tv[2]);
    c2.setServiceId(5);
    tv[2] = c2.ToRecord();
    db.RearrangeList(kTv, tv, "Id");
    const ListOrderResult cut =
        ApplyListOrder(db, {Entry(1, "A name far too long for the field", 5)}, true);
    EXPECT_EQ(cut.bySid, 1);
    ASSERT_EQ(cut.cutNames.size(), 1u);
    EXPECT_EQ(cut.cutNames[0].stored, "A name far too ");
    EXPECT_EQ(test::Names(db, kTv)[0], "A name far too ");
}

}  // namespace
}  // namespace brondavel
