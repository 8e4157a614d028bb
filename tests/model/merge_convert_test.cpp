// Merging another database in, and converting between the generations.
#include <gtest/gtest.h>

#include "model/database_convert.h"
#include "model/database_merge.h"
#include "model/demo_database.h"
#include "model/second_gen_database.h"
#include "model/second_gen_records.h"
#include "tests/model/test_builders.h"

namespace brondavel {
namespace {

std::array<int, 4> Counts(const DatabaseEngine& db) {
    return {db.list(0).Count(), db.list(1).Count(), db.list(2).Count(), db.list(3).Count()};
}

TEST(Merge, AFileIntoItselfChangesNothing) {
    SecondGenDatabase db, copy;
    FillSecondGenDemo(db, DemoSize{}, 1);
    FillSecondGenDemo(copy, DemoSize{}, 1);
    const MergeResult r = MergeDatabase(db, copy, {});
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.Added(), 0);
    EXPECT_EQ(r.matched[kTv], db.Count(kTv));
    EXPECT_EQ(db.modified, 0u);
    EXPECT_EQ(db.UndoLabel(), "");
}

TEST(Merge, TheOtherGenerationAddsOnlyWhatIsNew) {
    FirstGenDatabase db;
    test::FillSmall(db);  // S0 19.2E: T0 11000 (c0, c1), T1 11100 (r0)
    SecondGenDatabase other;
    using Sat = gen2::SatelliteRecord;
    using Tp = gen2::TransponderRecord;
    using Channel = gen2::ServiceRecord;
    test::AddAll(other, kSatellite,
                 std::vector{test::Sat<Sat>(192, "Astra"), test::Sat<Sat>(-8, "Thor")});
    test::AddAll(other, kTransponder, std::vector{test::Tp<Tp>(0, 11001), test::Tp<Tp>(1, 10872)});
    // c0 again (same transponder within 2 MHz, same sid), a new one on it and one on Thor.
    std::vector tv{test::Channel<Channel>(0, "c0", 0), test::Channel<Channel>(0, "New", 9),
                   test::Channel<Channel>(1, "Nordic", 5)};
    for (auto& c : tv) c.setInFavorite(3, true);
    test::AddAll(other, kTv, tv);

    MergeOptions options;
    options.kinds = {false, false, true, false};
    options.favorites = true;
    const MergeResult r = MergeDatabase(db, other, options);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.added, (std::array<int, 4>{1, 1, 2, 0}));  // Thor and its transponder came along
    EXPECT_EQ(Counts(db), (std::array<int, 4>{4, 5, 6, 1}));
    const auto nordic = As<ServiceRecord>(db.list(kTv).records()[5]);
    EXPECT_EQ(nordic.name(), "Nordic");
    EXPECT_EQ(nordic.transponderRef(), 4);
    EXPECT_TRUE(nordic.inFavorite(3));
    EXPECT_EQ(As<TransponderRecord>(db.list(kTransponder).records()[4]).satelliteRef(), 3u);
    EXPECT_EQ(As<ServiceRecord>(db.list(kTv).records()[0]).inFavorite(3), false);  // matched: kept
    EXPECT_EQ(db.UndoLabel(), "Merge");
    db.Undo({});
    EXPECT_EQ(Counts(db), (std::array<int, 4>{3, 4, 4, 1}));
}

TEST(Merge, OverflowIsRefusedWithTheListAndCounts) {
    SecondGenDatabase db, other;
    FillSecondGenDemo(db, {1, 1, 3000, 10}, 1);
    FillSecondGenDemo(other, {1, 1, 1500, 10}, 2);
    std::vector<Record> tv = other.list(kTv).records();
    for (size_t i = 0; i < tv.size(); ++i) {
        gen2::ServiceRecord c = As<gen2::ServiceRecord>(tv[i]);
        c.setName("X" + std::to_string(i));
        c.setServiceId(static_cast<uint16_t>(50000 + i));
        tv[i] = c.ToRecord();
    }
    ASSERT_EQ(other.RearrangeList(kTv, tv, "Unique"), 1);
    const auto before = Counts(db);
    const MergeResult r = MergeDatabase(db, other, {});
    EXPECT_NE(r.error.find("TV channel list"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("4000"), std::string::npos) << r.error;
    EXPECT_EQ(r.Added(), 0);
    EXPECT_EQ(Counts(db), before);
}

// Every field both generations name, as numbers and names.
void ExpectSharedFieldsEqual(const DatabaseEngine& a, const DatabaseEngine& b) {
    for (int kind = 0; kind < 4; ++kind) {
        const FieldTable fa = FieldsOf(GenerationOf(a.layout()), kind);
        const FieldTable fb = FieldsOf(GenerationOf(b.layout()), kind);
        ASSERT_EQ(a.list(kind).Count(), b.list(kind).Count());
        for (int i = 0; i < a.list(kind).Count(); ++i) {
            const Record& ra = a.list(kind).records()[i];
            const Record& rb = b.list(kind).records()[i];
            for (const FieldSpec& f : fa) {
                const FieldSpec* g = f.IsName() ? NameField(fb) : FindField(fb, f.name);
                if (!g || f.show == FieldShow::kWord) continue;  // words: by their named parts
                if (f.IsName())
                    EXPECT_EQ(FieldName(f, ra), FieldName(*g, rb)) << kind << " " << i;
                else
                    for (int e = 0; e < f.count; ++e)
                        EXPECT_EQ(FieldNumber(f, ra, e), FieldNumber(*g, rb, e)) << f.name;
            }
        }
    }
}

TEST(Convert, FirstToSecondAndBackKeepsSharedFields) {
    FirstGenDatabase original;
    FillFirstGenDemo(original);
    SecondGenDatabase second;
    FirstGenDatabase back;
    ConversionLosses losses;
    std::string error;
    ASSERT_TRUE(ConvertDatabase(original, second, losses, error)) << error;
    ASSERT_TRUE(ConvertDatabase(second, back, losses, error)) << error;
    ExpectSharedFieldsEqual(original, second);
    ExpectSharedFieldsEqual(original, back);
    // The first generation's own fields: counted when set.
    ConversionLosses toSecond;
    SecondGenDatabase again;
    ConvertDatabase(original, again, toSecond, error);
    EXPECT_TRUE(toSecond.fields.count("tv audioMode") ||
                toSecond.fields.count("satellites typeCode"));
}

TEST(Convert, ListsBeyondTheTargetAreRefused) {
    SecondGenDatabase big;
    FillSecondGenDemo(big, {1, 1, 3600, 10}, 1);
    FirstGenDatabase target;
    ConversionLosses losses;
    std::string error;
    EXPECT_FALSE(ConvertDatabase(big, target, losses, error));
    EXPECT_NE(error.find("3600"), std::string::npos);
    EXPECT_EQ(target.Count(kTv), 0);
}

}  // namespace
}  // namespace brondavel
