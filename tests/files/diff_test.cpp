// Diff of two databases and the CSV and JSON exports of a list's rows.
#include <gmock/gmock.h>

#include <tuple>

#include "files/channel_data_file.h"
#include "files/database_diff.h"
#include "files/flash_image_file.h"
#include "files/record_export.h"
#include "model/demo_database.h"
#include "model/first_gen_records.h"
#include "model/second_gen_records.h"
#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

using namespace testing;

constexpr DemoSize kSize{6, 10, 300, 80};

TEST(DatabaseDiff, TwinsAreEmptyAndAKnownChangeIsListedExactly) {
    ChannelDataFile a("", 2, 3, 2), b("", 2, 3, 2);
    FillFirstGenDemo(a.db(), kSize);
    FillFirstGenDemo(b.db(), kSize);
    EXPECT_TRUE(DiffDatabases(a.db(), b.db()).Empty());
    // The same demo in the second generation: the fields both know agree.
    FlashImageFile twin("", 0, 4, 0);
    FillSecondGenDemo(twin.db(), kSize);
    const DatabaseDiff cross = DiffDatabases(a.db(), twin.db());
    for (const KindDiff& k : {cross.kinds[kTv], cross.kinds[kRadio]})
        EXPECT_EQ(std::tuple(k.added.size(), k.removed.size(), k.moved.size()),
                  std::tuple(0u, 0u, 0u));

    DatabaseEngine& db = b.db();
    std::vector<Record> tv = db.list(kTv).records();
    // Channel 10 gets another video PID and lock; channel 0 goes last;
    // channel 5 is dropped by giving it an unknown key and name.
    ServiceRecord edited = As<ServiceRecord>(tv[10]);
    edited.setVideoPid(0x1234);
    edited.setLocked(!edited.locked());
    tv[10] = edited.ToRecord();
    std::rotate(tv.begin(), tv.begin() + 1, tv.end());
    ServiceRecord other = As<ServiceRecord>(tv[4]);  // was channel 5
    other.setServiceId(60000);
    other.setName("Brand New");
    tv[4] = other.ToRecord();
    ASSERT_EQ(db.RearrangeList(kTv, tv, "test"), 1);

    const DatabaseDiff diff = DiffDatabases(a.db(), db);
    const KindDiff& k = diff.kinds[kTv];
    for (int kind : {kSatellite, kTransponder, kRadio}) EXPECT_TRUE(diff.kinds[kind].Empty());
    ASSERT_EQ(std::tuple(k.removed.size(), k.added.size(), k.moved.size(), k.changed.size()),
              std::tuple(1u, 1u, 1u, 1u));  // only the channel that went last moved
    EXPECT_EQ(std::tuple(k.removed[0].positionBefore, k.removed[0].identity.serviceId),
              std::tuple(5, 6u));
    EXPECT_EQ(std::tuple(k.added[0].positionAfter, k.added[0].identity.name),
              std::tuple(4, "Brand New"));
    EXPECT_EQ(std::tuple(k.moved[0].positionBefore, k.moved[0].positionAfter), std::tuple(0, 299));
    EXPECT_EQ(std::tuple(k.changed[0].positionBefore, k.changed[0].positionAfter),
              std::tuple(10, 9));
    const std::vector<FieldChange>& c = k.changed[0].changes;
    ASSERT_EQ(c.size(), 2u);  // the flags word is explained by the lock
    EXPECT_EQ(std::tuple(c[0].field, c[0].after), std::tuple("videoPid", "4660"));
    EXPECT_EQ(std::tuple(c[1].field, c[1].before),
              std::tuple("locked", edited.locked() ? "0" : "1"));
}

TEST(RecordExport, HostileNamesAreQuotedAndKeptWhole) {
    // Second-generation names reach the export byte for byte.
    gen2::ServiceRecord c;
    c.id = 7;
    c.setName("a,\"b\"\r\n=1+2");
    const Record r = c.ToRecord();
    const std::string csv = RecordsCsv(Generation::kSecond, kTv, std::span(&r, 1));
    EXPECT_THAT(csv, HasSubstr(",\"a,\"\"b\"\"\r\n=1+2\","));
    EXPECT_THAT(csv, HasSubstr(",0 0 0 0,"));  // an array is one cell

    const std::string json = RecordsJson(Generation::kSecond, kTv, std::span(&r, 1));
    EXPECT_THAT(json, HasSubstr("\"name\":\"a,\\\"b\\\"\\u000d\\u000a=1+2\""));
    EXPECT_THAT(json, HasSubstr("\"locked\":false"));
    EXPECT_THAT(json, HasSubstr("\"audio\":[0,0,0,0]"));

    testsupport::TempDir dir;
    std::string error;
    ASSERT_TRUE(ExportRecords(dir / "tv.csv", ExportFormat::kCsv, Generation::kSecond, kTv,
                              std::span(&r, 1), error))
        << error;
    EXPECT_EQ(testsupport::ReadText(dir / "tv.csv"), csv);
    EXPECT_FALSE(ExportRecords(dir / "missing/tv.csv", ExportFormat::kJson, Generation::kSecond,
                               kTv, std::span(&r, 1), error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace brondavel
