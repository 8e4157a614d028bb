// The second-generation database: records, image, sorting and whole-u16 references.
#include <gtest/gtest.h>

#include <cstring>

#include "model/memory_controls.h"
#include "model/second_gen_database.h"
#include "model/second_gen_records.h"
#include "tests/model/small_database.h"

namespace brondavel {
namespace {

using gen2::SatelliteRecord;
using gen2::ServiceRecord;
using gen2::TransponderRecord;

SatelliteRecord Sat(int16_t longitude, const std::string& name, uint16_t code = 0) {
    SatelliteRecord s = test::Sat<SatelliteRecord>(longitude, name);
    s.setPositionCode(code);
    return s;
}

TransponderRecord Tp(uint16_t satellite, uint32_t frequency, const std::string& name = "tp") {
    return test::Tp<TransponderRecord>(satellite, frequency, name);
}

ServiceRecord Channel(uint16_t transponder, const std::string& name, uint16_t flags = 0) {
    ServiceRecord c = test::Channel<ServiceRecord>(transponder, name);
    c.setFlags(flags);
    return c;
}

using test::AddAll;
using test::Names;
using test::PickList;
using test::Shown;
using test::Strings;
using test::ViewNames;

const ImageSection& SectionOf(const DatabaseEngine& db, int kind) {
    return db.layout().Sections()[kind];
}

uint8_t* Slot(std::vector<uint8_t>& image, const ImageSection& s, int i) {
    return image.data() + s.recordsOffset + size_t(i) * s.recordSize;
}

// The first word of each of the first `n` slots of a section.
std::vector<uint16_t> FirstWords(std::vector<uint8_t>& image, const ImageSection& s, int n) {
    std::vector<uint16_t> words;
    for (int i = 0; i < n; ++i) words.push_back(ReadU16(Slot(image, s, i)));
    return words;
}

// Satellites S0..S2; T0,T1 on S0, T2 on S2; TV c0,c1 on T0, c2 on T2; radio r0 on T1.
class SecondGen : public test::WithLists<SecondGenDatabase> {
  protected:
    void SetUp() override {
        AddAll(db, kSatellite, std::vector{Sat(192, "S0"), Sat(130, "S1"), Sat(-70, "S2")});
        AddAll(db, kTransponder,
               std::vector{Tp(0, 11000, "T0"), Tp(0, 11100, "T1"), Tp(2, 11200, "T2")});
        AddAll(db, kTv, std::vector{Channel(0, "c0"), Channel(0, "c1"), Channel(2, "c2")});
        AddAll(db, kRadio, std::vector{Channel(1, "r0")});
        db.UpdateActiveMarks();
        RefreshAll();
    }
    std::vector<uint8_t> Rebuilt() {
        std::vector<uint8_t> image(db.layout().ImageSize(), 0);
        db.RebuildImage(image);
        return image;
    }
};

TEST(SecondGenRecords, FieldsSitWhereTheReceiverKeepsThem) {
    SatelliteRecord s;
    s.setLongitude(-300);
    s.setSwitch12V(1);
    EXPECT_EQ(ReadU16(s.stored.data() + 4), 0xFED4);
    EXPECT_EQ(s.stored[32], 1);

    ServiceRecord c;
    std::memset(c.stored.data(), 0xFF, c.stored.size());
    c.setLocked(false);
    c.setAccessSystems(0);
    // Bits nobody names (1-4 of flags) survive the edits.
    EXPECT_EQ(c.flags(), 0x001E);
    c.setInFavorite(15, false);
    EXPECT_EQ(c.favoriteMask(), 0x7FFF);
}

TEST_F(SecondGen, LoadTakesFavouriteNamesFromSection5AndRebuildLeavesItAlone) {
    std::vector<uint8_t> image = Rebuilt();
    std::memcpy(image.data() + SecondGenImage::kFavoriteNamesOffset, "Sports", 7);
    std::memcpy(image.data() + SecondGenImage::kFavoriteNamesOffset + 16 * 15, "ABCDEFGHIJKLMNOP",
                16);  // a full field without a NUL
    image[SecondGenImage::kSectionOffset[5] + 3] = 0x5A;

    SecondGenDatabase loaded;
    loaded.LoadImage(image);
    ASSERT_EQ(loaded.list(kFavorite).Count(), 16);
    EXPECT_EQ(loaded.Describe(kFavorite, 0), "Sports");
    EXPECT_EQ(loaded.Describe(kFavorite, 15), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Names(loaded, kTv), Names(db, kTv));
    EXPECT_EQ(loaded.list(kSatellite).ActiveOf(1), 0u);
    EXPECT_NE(loaded.list(kSatellite).ActiveOf(2), 0u);

    // Renaming a group changes the database only.
    gen2::FavoriteRecord renamed;
    renamed.setName("Films");
    loaded.Refresh(kFavorite, &lists[kFavorite]);
    ASSERT_EQ(loaded.StoreRecord(kFavorite, 0, renamed.ToRecord().stored()), 1);
    const std::vector<uint8_t> before(image.begin() + SecondGenImage::kSectionOffset[5],
                                      image.end());
    loaded.RebuildImage(image);
    EXPECT_TRUE(std::equal(before.begin(), before.end(),
                           image.begin() + SecondGenImage::kSectionOffset[5]));
}

TEST_F(SecondGen, RebuildWritesPositionsFillsFreeSlotsAndKeepsOtherBytes) {
    std::vector<uint8_t> image(SecondGenImage::kSize, 0x33);
    db.RebuildImage(image);
    const ImageSection& tv = SectionOf(db, kTv);
    const ImageSection& tps = SectionOf(db, kTransponder);
    EXPECT_EQ(ReadU16(image.data() + tv.countOffset), 3);
    EXPECT_EQ(FirstWords(image, tv, 4), (std::vector<uint16_t>{0, 0, 2, 0xFFFF}));  // positions
    EXPECT_EQ(FirstWords(image, tps, 3), (std::vector<uint16_t>{0, 0, 2}));
    EXPECT_EQ(image[tv.recordsOffset + 192000 - 1], 0xFF);
    // Header bytes other than the count, section 4 and section 5 stay.
    EXPECT_EQ(image[tv.offset], 0x33);
    EXPECT_EQ(image[tv.offset + 5], 0x33);
    EXPECT_EQ(image[SecondGenImage::kSectionOffset[4] + 100], 0x33);
    EXPECT_EQ(image.back(), 0x33);
    EXPECT_EQ(image[tv.recordsOffset + 192000], 0x33);  // radio header
}

TEST_F(SecondGen, SatellitesAtOneLongitudeShareTheFirstPositionCode) {
    AddAll(db, kSatellite, std::vector{Sat(192, "A", 7), Sat(192, "B", 9), Sat(130, "C", 4)});
    // S0 (192, 0) and the new A (192, 7): both 7 in the image; S1 (130) finds C.
    std::vector<uint8_t> image = Rebuilt();
    // S2 at -7.0 has nothing to share.
    EXPECT_EQ(FirstWords(image, SectionOf(db, kSatellite), 5),
              (std::vector<uint16_t>{7, 4, 0, 7, 9}));
    // The database keeps its own values.
    EXPECT_EQ(ReadU16(db.list(kSatellite).records()[0].data()), 0);
}

TEST_F(SecondGen, ChannelOfAMissingTransponderLeavesAnEmptySlotCounted) {
    AddAll(db, kTv, std::vector{Channel(77, "lost"), Channel(1, "kept")});
    AddAll(db, kTransponder, std::vector{Tp(kNone, 12000, "new")});  // not yet on a satellite
    std::vector<uint8_t> image = Rebuilt();
    const ImageSection& tv = SectionOf(db, kTv);
    EXPECT_EQ(ReadU16(image.data() + tv.countOffset), 5);
    for (size_t i = 0; i < tv.recordSize; ++i) EXPECT_EQ(Slot(image, tv, 3)[i], 0xFF);
    EXPECT_EQ(ReadU16(Slot(image, tv, 4)), 1);
    const ImageSection& tps = SectionOf(db, kTransponder);
    EXPECT_EQ(ReadU16(image.data() + tps.countOffset), 4);
    EXPECT_EQ(Slot(image, tps, 3)[20], 0xFF);

    SecondGenDatabase loaded;
    loaded.LoadImage(image);
    EXPECT_EQ(loaded.Count(kTv), 5);
    EXPECT_TRUE(loaded.IsOrphan(kTv, loaded.list(kTv).records()[3]));
}

TEST_F(SecondGen, RowsAndDescriptions) {
    AddAll(db, kSatellite, std::vector{Sat(0, "Zero"), Sat(1, "East"), Sat(-1, "West")});
    EXPECT_EQ(Shown(db, kSatellite, 2),
              (Strings{"19.2E", "13.0E", "7.0W", "0.0W", "0.1E", "0.1W"}));

    TransponderRecord v = Tp(0, 12345, "Vert");
    v.setPolarisation(1);
    v.setSymbolRate(100);  // no terrestrial form in this generation
    TransponderRecord odd = Tp(0, 10700, "Odd");
    odd.setPolarisation(7);
    AddAll(db, kTransponder, std::vector{v, odd});
    const Strings rows = Shown(db, kTransponder, 2);
    EXPECT_EQ(Strings(rows.begin() + 3, rows.end()), (Strings{"12345/V/  100", "10700/H/27500"}));
    EXPECT_EQ(db.Describe(kTransponder, 3), "Vert (12345/V/  100)");
    EXPECT_EQ(PickList(db, kTransponder).at(3), "12345/V/  100 - Vert");

    ServiceRecord c = Channel(0, "Scrambled", 1 << 5);
    c.setFavoriteMask(0x8000);
    AddAll(db, kTv, std::vector{c});
    RefreshAll();
    const auto& row = lists[kTv].rows[3];
    EXPECT_EQ(std::vector({row[3].image, row[4].image, row[5].image}), std::vector({-1, 2, 3}));
    EXPECT_EQ(db.Describe(kTv, 3), "Scrambled (TV)");
    EXPECT_EQ(db.Describe(kRadio, 0), "r0 (Radio)");
}

TEST_F(SecondGen, NamesArePlainWindows1256Text) {
    Record r = db.list(kTv).records()[0];
    // "\xC7\xE1\xDE\xE4\xC7\xC9" is a six-letter Arabic word in Windows-1256.
    std::memcpy(r.data() + ServiceRecord::kNameOffset, "\xC7\xE1\xDE\xE4\xC7\xC9", 7);
    const std::string utf8 = db.layout().DisplayName(kTv, r);
    EXPECT_EQ(utf8, "\u0627\u0644\u0642\u0646\u0627\u0629");

    // Stored back byte for byte, cut to the field with its NUL; the bytes
    // after the NUL keep what they held.
    Record stored = r;
    std::memset(stored.data() + ServiceRecord::kNameOffset, 'x', 16);
    db.layout().StoreNameText(kTv, stored, utf8);
    EXPECT_EQ(0, std::memcmp(stored.data() + 32, "\xC7\xE1\xDE\xE4\xC7\xC9\0xxxxxxxxx", 16));
    db.layout().StoreNameText(kTv, stored, "A long channel name 1234");
    EXPECT_EQ(db.layout().DisplayName(kTv, stored), "A long channel ");
    // A name filling its field shows whole.
    Record sat = db.list(kSatellite).records()[0];
    std::memcpy(sat.data() + SatelliteRecord::kNameOffset, "12345678901234567890", 20);
    EXPECT_EQ(db.layout().DisplayName(kSatellite, sat), "12345678901234567890");
}

TEST_F(SecondGen, SortOrdersUseTheSecondGenerationKeys) {
    // Access class order: 1, 2, 4, 8, 16, 32, 512, 64, 256, 128, then 1024.
    auto ca = [](uint32_t systems) { return static_cast<uint16_t>(systems << 5); };
    AddAll(db, kRadio,
           std::vector{Channel(0, "c128", ca(128)), Channel(0, "c1024", ca(1024)),
                       Channel(0, "c64+512", ca(64 | 512)), Channel(0, "c2+256", ca(2 | 256)),
                       Channel(0, "c256", ca(256)), Channel(0, "locked", 1)});
    EXPECT_EQ(SecondGenLayout::AccessClass(Channel(0, "", ca(1024 | 128)).ToRecord()), 128u);
    ASSERT_EQ(db.SortList(kRadio, 3, &lists[kRadio]), 1);
    EXPECT_EQ(ViewNames(db, kRadio),
              (Strings{"r0", "locked", "c2+256", "c128", "c256", "c64+512", "c1024"}));
    ASSERT_EQ(db.SortList(kRadio, 4, &lists[kRadio]), 1);
    EXPECT_EQ(ViewNames(db, kRadio).back(), "locked");

    // Transponders by the whole u16 reference, then by a frequency beyond 20 bits.
    AddAll(db, kTransponder,
           std::vector{Tp(0x1001, 2000000, "far"), Tp(1, 11000, "one"), Tp(kNone, 1, "none")});
    ASSERT_EQ(db.SortList(kTransponder, 3, &lists[kTransponder]), 1);
    EXPECT_EQ(ViewNames(db, kTransponder), (Strings{"T0", "T1", "one", "T2", "far", "none"}));
    ASSERT_EQ(db.SortList(kTransponder, 4, &lists[kTransponder]), 1);
    EXPECT_EQ(ViewNames(db, kTransponder).front(), "none");
    EXPECT_EQ(ViewNames(db, kTransponder).back(), "far");
}

TEST_F(SecondGen, DeleteDropAndMoveFollowTheWholeReferences) {
    // A transponder on no satellite is never cascaded.
    AddAll(db, kTransponder, std::vector{Tp(kNone, 12000, "loose")});
    lists[kSatellite].Select({0});
    db.modified = 0;
    ASSERT_EQ(db.DeleteSelected(kSatellite, &lists[kSatellite]), 1);
    EXPECT_EQ(db.modified, 1);
    EXPECT_EQ(Names(db, kTransponder), (Strings{"T2", "loose"}));
    EXPECT_EQ(Names(db, kTv), (Strings{"c2"}));
    EXPECT_TRUE(Names(db, kRadio).empty());
    // Ids stay dense and references follow: T2 now on satellite 1 (was 2), c2 on T2 (id 0).
    EXPECT_EQ(db.layout().SatelliteRefOf(db.list(kTransponder).records()[0]), 1);
    EXPECT_EQ(test::ParentNames(db, kTransponder), (Strings{"S2", "<none>"}));
    EXPECT_EQ(db.layout().TransponderRefOf(db.list(kTv).records()[0]), 0);

    // Dropping the loose transponder on a satellite sets the whole u16.
    RefreshAll();
    lists[kTransponder].Select({1});
    db.modified = 0;
    ASSERT_EQ(db.Drop(kDropReparent, kTransponder, kSatellite, 0, &lists[kTransponder],
                      &lists[kSatellite]),
              1);
    EXPECT_EQ(db.modified, 1);
    EXPECT_EQ(ReadU16(db.list(kTransponder).records()[1].data()), 0);
    EXPECT_EQ(db.list(kTransponder).records()[1].data()[2], 2);  // polarisation untouched

    // A channel dropped on it follows, and the marks with it.
    AddAll(db, kTv, std::vector{Channel(0, "c3")});
    RefreshAll();
    lists[kTv].Select({1});
    ASSERT_EQ(db.Drop(kDropReparent, kTv, kTransponder, 1, &lists[kTv], &lists[kTransponder]), 1);
    EXPECT_EQ(db.layout().TransponderRefOf(db.list(kTv).records()[1]), 1);
    EXPECT_NE(db.list(kSatellite).ActiveOf(0), 0u);
}

TEST_F(SecondGen, NewRecordsAndWrongSizes) {
    std::vector<uint8_t> buffer(60, 0xAA);
    ASSERT_EQ(db.GetRowData(kSatellite, kNoRow, buffer), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.data() + 40)), "User-03");
    EXPECT_EQ(buffer[0], 0xAA);  // only the name is written
    // A record of the wrong size is refused.
    EXPECT_EQ(db.StoreRecord(kTv, 0, std::vector<uint8_t>(40, 0)), 0);
}

}  // namespace
}  // namespace brondavel
