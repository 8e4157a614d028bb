// Flash-image files: the layouts of both flash classes in the three
// compression modes, what a class can hold, and damaged files.
#include "files/flash_image_file.h"

#include <gmock/gmock.h>

#include <cstring>
#include <memory>
#include <random>

#include "files/lh5/lh5_codec.h"
#include "model/demo_database.h"
#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

using namespace testing;

using Bytes = std::vector<uint8_t>;

using testsupport::Slurp;
using testsupport::Spit;
using testsupport::TempDir;

// The format written out once more, independently of the code under test.
constexpr size_t kSectionOffset[6] = {352036, 288024, 0, 192012, 355888, 362620};
constexpr size_t kSectionLength[6] = {3852, 64012, 192012, 96012, 6732, 1548};
constexpr size_t kRecordSize[4] = {60, 32, 48, 48};
constexpr size_t kRegion[2][6] = {{4096, 24576, 131072, 65536, 4096, 4096},
                                  {8192, 131072, 196608, 131072, 8192, 4096}};
constexpr size_t kStored[2][6] = {{3852, 24576, 131072, 65536, 4096, 1548},
                                  {3852, 64012, 192012, 96012, 6732, 1548}};
constexpr int kPlainOrder[6] = {1, 2, 3, 0, 4, 5};
constexpr int kSectionOrder[6] = {2, 3, 1, 0, 4, 5};

size_t RegionAt(int cls, const int (&order)[6], int section) {
    size_t offset = 0;
    for (int s : order) {
        if (s == section) return offset;
        offset += kRegion[cls][s];
    }
    return offset;
}

using Counts = std::array<int, 4>;  // satellites, transponders, TV and radio channels
constexpr Counts kModerate{20, 300, 1000, 500};

// An image with random records (every unnamed bit random, references valid,
// position codes set), random section headers, random section 5 and a
// compressible section 4.
Bytes RandomImage(std::mt19937& rng, Counts counts) {
    Bytes image(SecondGenImage::kSize);
    for (auto& b : image) b = static_cast<uint8_t>(rng());
    for (int kind = 0; kind < 4; ++kind) {
        uint8_t* section = image.data() + kSectionOffset[kind];
        const size_t area = kSectionLength[kind] - 12;
        WriteU16(section + 2, static_cast<uint16_t>(counts[kind]));
        std::memset(section + 12 + counts[kind] * kRecordSize[kind], 0xFF,
                    area - counts[kind] * kRecordSize[kind]);
        for (int i = 0; i < counts[kind]; ++i) {
            uint8_t* r = section + 12 + i * kRecordSize[kind];
            if (kind == kSatellite) WriteU16(r, static_cast<uint16_t>(rng() | 1));
            if (kind == kTransponder) WriteU16(r, static_cast<uint16_t>(rng() % counts[0]));
            if (kind >= kTv) WriteU16(r, static_cast<uint16_t>(rng() % counts[1]));
        }
    }
    for (size_t i = 12; i < kSectionLength[4]; ++i)
        image[kSectionOffset[4] + i] = static_cast<uint8_t>(rng() % 4);
    return image;
}

Bytes Header(size_t payload) {
    Bytes h = {6, 0, 0, 0, 0, 0x10, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7A, 0x34, 0x86, 0xA3};
    h.resize(120, 0xFF);
    for (int i = 0; i < 2; ++i) h.insert(h.end(), {0x78, 0x56, 0x34, 0x12});
    WriteU32(h.data() + 12, static_cast<uint32_t>(payload));
    return h;
}

// The plain file of an image, built by hand.
Bytes PlainFile(const Bytes& image, int cls) {
    size_t total = 0;
    for (size_t r : kRegion[cls]) total += r;
    Bytes file = Header(total);
    Bytes payload(total, 0xFF);
    for (int s : kPlainOrder)
        std::memcpy(payload.data() + RegionAt(cls, kPlainOrder, s),
                    image.data() + kSectionOffset[s], kStored[cls][s]);
    file.insert(file.end(), payload.begin(), payload.end());
    return file;
}

// The file of an image in a compression mode, built by hand.
Bytes ModeFile(const Bytes& image, int cls, int mode) {
    Bytes file = PlainFile(image, cls);
    if (mode == 1) {
        const auto block = lh5::Compress(std::span<const uint8_t>(file).subspan(128));
        EXPECT_TRUE(block.has_value());
        file.resize(128);
        file.insert(file.end(), block->begin(), block->end());
    } else if (mode == 2) {
        const size_t areas[6] = {0, 64000, 192000, 96000, 6720, 0};
        std::fill(file.begin() + 128, file.end(), 0xFF);
        uint8_t* payload = file.data() + 128;
        for (int s : kSectionOrder) {
            uint8_t* region = payload + RegionAt(cls, kSectionOrder, s);
            const uint8_t* section = image.data() + kSectionOffset[s];
            if (areas[s] == 0) {
                std::memcpy(region, section, kStored[cls][s]);
                continue;
            }
            const auto block = lh5::Compress(std::span<const uint8_t>(section + 12, areas[s]));
            EXPECT_TRUE(block.has_value());
            EXPECT_LE(12 + block->size(), kRegion[cls][s]);
            std::memcpy(region, section, 12);
            WriteU32(region + 4, static_cast<uint32_t>((block->size() + 1) & ~size_t(1)));
            std::memcpy(region + 12, block->data(), block->size());
        }
    }
    return file;
}

void ExpectSameRecords(const DatabaseEngine& a, const DatabaseEngine& b) {
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_TRUE(a.list(kind).records() == b.list(kind).records()) << "kind " << kind;
}

class FlashFile : public ::testing::Test {
  protected:
    // `bytes` as a file, loaded with these settings.
    std::unique_ptr<FlashImageFile> Loaded(const Bytes& bytes, int model, int type, int mode) {
        const std::string path = dir / ("in" + std::to_string(++files_) + ".bin");
        Spit(path, bytes);
        auto file = std::make_unique<FlashImageFile>(path, model, type, mode);
        EXPECT_EQ(file->Load(), 1);
        return file;
    }
    // What saving `file` writes.
    Bytes Saved(FlashImageFile& file) {
        EXPECT_EQ(file.Save(dir / "out.bin"), 1) << file.lastError();
        return Slurp(dir / "out.bin");
    }
    // Saving `file` is refused with a message that names `why`, and the
    // previous file stays as it was.
    void ExpectRefused(FlashImageFile& file, const std::string& why) {
        Spit(dir / "old.bin", Bytes{1, 2, 3});
        EXPECT_EQ(file.Save(dir / "old.bin"), 0);
        EXPECT_THAT(file.lastError(), HasSubstr(why));
        EXPECT_TRUE(Slurp(dir / "old.bin") == (Bytes{1, 2, 3}));
    }
    TempDir dir;
    int files_ = 0;
    std::mt19937 rng{20240611};
};

TEST_F(FlashFile, PlainFilesMatchTheLayoutByteForByte) {
    const Counts full2M{64, 767, 2730, 1365}, full4M{64, 2000, 4000, 2000};
    for (int type : {1, 2, 3, 4}) {
        SCOPED_TRACE(type);
        const int cls = FlashImageFile::FlashClass(type) == 2 ? 0 : 1;
        const Bytes image = RandomImage(rng, cls == 0 ? full2M : full4M);
        const Bytes handMade = PlainFile(image, cls);
        const auto in = Loaded(handMade, 0, type, 0);
        EXPECT_TRUE(in->headerValid());
        EXPECT_TRUE(in->loadWarnings().empty());
        // Every record as the image holds it, at full class capacity.
        for (int kind = 0; kind < 4; ++kind) {
            const auto& records = in->db().list(kind).records();
            ASSERT_EQ(records.size(), size_t((cls == 0 ? full2M : full4M)[kind]));
            const uint8_t* last =
                image.data() + kSectionOffset[kind] + 12 + (records.size() - 1) * kRecordSize[kind];
            EXPECT_EQ(0, std::memcmp(records.back().data(), last, kRecordSize[kind]));
        }
        EXPECT_TRUE(Saved(*in) == handMade);
    }
}

TEST_F(FlashFile, EveryClassAndModeRoundTrips) {
    for (int type : {3, 4}) {
        const int cls = FlashImageFile::FlashClass(type) == 2 ? 0 : 1;
        const Bytes image = RandomImage(rng, kModerate);
        const auto plain = Loaded(PlainFile(image, cls), 1, type, 0);
        for (int mode : {0, 1, 2}) {
            SCOPED_TRACE("flash " + std::to_string(type) + " mode " + std::to_string(mode));
            const Bytes handMade = ModeFile(image, cls, mode);
            const auto loaded = Loaded(handMade, 1, type, mode);
            EXPECT_TRUE(loaded->loadWarnings().empty());
            ExpectSameRecords(loaded->db(), plain->db());
            // Load again, rebuild the lists once more (from the image alone, not
            // onto what is there), save: the same bytes (section 5, the favourite
            // names, included), so reading them again gives the same.
            EXPECT_EQ(loaded->Load(), 1);
            EXPECT_EQ(loaded->ImageToDatabase(), 1);
            EXPECT_EQ(loaded->db().list(kFavorite).Count(), 16);
            EXPECT_TRUE(Saved(*loaded) == handMade);
        }
    }
}

TEST_F(FlashFile, HeadersTypeZeroWrongTypesAndFailures) {
    FlashImageFile empty(dir / "none", 0, 0, 0);
    const Bytes file = Saved(empty);
    EXPECT_TRUE(file == Header(0));
    const auto loaded = Loaded(file, 0, 0, 1);
    EXPECT_TRUE(loaded->headerValid());
    for (int kind = 0; kind < 4; ++kind) EXPECT_EQ(loaded->db().Count(kind), 0);
    // A 4 MB file opened as flash type 0 reads nothing either; opened as a 2 MB
    // type it reads wrongly, and says so. (The fuzzers read any bytes in every mode.)
    const Bytes full = PlainFile(RandomImage(rng, kModerate), 1);
    const auto wrongType = Loaded(full, 0, 0, 0);
    EXPECT_EQ(wrongType->db().Count(kTv), 0);
    EXPECT_FALSE(wrongType->loadWarnings().empty());
    EXPECT_FALSE(Loaded(full, 0, 3, 0)->loadWarnings().empty());
    // A plain file opened as a compressed one: its payload is no LH5 member.
    const auto wrongMode = Loaded(full, 0, 4, 1);
    EXPECT_THAT(wrongMode->loadWarnings(), Contains(HasSubstr("damaged")));
    // A 2 MB file stating more TV channels than its region keeps whole.
    const auto over = Loaded(PlainFile(RandomImage(rng, Counts{20, 300, 3000, 500}), 0), 0, 3, 0);
    EXPECT_THAT(over->loadWarnings(), ElementsAre(HasSubstr("keeps only 2730 whole")));
    // Records that no file of this type can hold are not saved as an empty file.
    FlashImageFile filled(dir / "none", 0, 0, 0);
    FillSecondGenDemo(filled.db(), DemoSize{1, 1, 1, 0});
    ExpectRefused(filled, "keeps at most 0");

    FlashImageFile demo(dir / "x", 1, 2, 0);
    FillSecondGenDemo(demo.db());
    const Bytes demoFile = Saved(demo);
    ASSERT_EQ(demoFile.size(), 128u + 479232u);
    EXPECT_TRUE(Bytes(demoFile.begin(), demoFile.begin() + 128) == Header(479232));

    // A wrong magic and a cut header open empty.
    Bytes badMagic = demoFile;
    badMagic[19] ^= 1;
    for (const Bytes& damaged : {badMagic, Bytes(demoFile.begin(), demoFile.begin() + 60)}) {
        const auto bad = Loaded(damaged, 1, 2, 0);
        EXPECT_FALSE(bad->headerValid());
        EXPECT_EQ(bad->db().Count(kTv), 0);
    }

    FlashImageFile oddMode(dir / "x", 1, 2, 3);
    FillSecondGenDemo(oddMode.db());
    ExpectRefused(oddMode, "Compress mode 3");
    EXPECT_EQ(Loaded(demoFile, 1, 2, 7)->db().Count(kTv), 0);

    EXPECT_EQ(demo.Save(dir / "no/such/dir/f.bin"), 0);
    EXPECT_FALSE(demo.lastError().empty());
}

TEST_F(FlashFile, The2MBClassKeepsWhatItsRegionsHold) {
    // Plain and whole-file payloads carry StoredSize bytes: 2730 TV channels
    // (the plain layout test saves that many).
    FlashImageFile tooMany(dir / "x", 0, 1, 1);
    FillSecondGenDemo(tooMany.db(), DemoSize{6, 10, 2731, 10});
    ExpectRefused(tooMany,
                  "TV channels: 2731 in the database, but a 2 MB flash file keeps at most 2730");
    FlashImageFile fits(dir / "x", 0, 1, 1);
    FillSecondGenDemo(fits.db(), DemoSize{6, 10, 2730, 10});
    ExpectSameRecords(Loaded(Saved(fits), 0, 1, 1)->db(), fits.db());

    // Per section, the whole TV area is compressed: 4000 realistic channels fit.
    FlashImageFile many(dir / "x", 0, 3, 2);
    FillSecondGenDemo(many.db(), DemoSize{6, 10, 4000, 1500});
    const Bytes saved = Saved(many);
    EXPECT_EQ(saved.size(), 128u + 233472u);
    const auto back = Loaded(saved, 0, 3, 2);
    EXPECT_TRUE(back->loadWarnings().empty());
    ExpectSameRecords(back->db(), many.db());

    // Channels that do not compress are refused, and nothing is written.
    const auto random = Loaded(PlainFile(RandomImage(rng, {20, 300, 4000, 500}), 1), 0, 4, 0);
    FlashImageFile noise(dir / "x", 0, 3, 2);
    for (int kind = 0; kind < 4; ++kind) {
        std::vector<Record> records = random->db().list(kind).records();
        ASSERT_EQ(noise.db().AddRecords(kind, nullptr, records.data(), int(records.size())), 1);
    }
    ExpectRefused(noise, "TV channel section cannot be compressed");
    // Channels that compress, but not into their region, are refused too.
    FlashImageFile dense(dir / "y", 0, 3, 2);
    FillSecondGenDemo(dense.db(), DemoSize{6, 10, 0, 0});
    std::vector<Record> channels = random->db().list(kTv).records();
    for (size_t i = 0; i < channels.size(); ++i) WriteU16(channels[i].data(), uint16_t(i % 60));
    ASSERT_EQ(dense.db().AddRecords(kTv, nullptr, channels.data(), int(channels.size())), 1);
    ExpectRefused(dense, "needs");
}

TEST_F(FlashFile, DamagedCompressedDataLoadsWhatCanBeDecoded) {
    const Bytes image = RandomImage(rng, kModerate);
    const auto plain = Loaded(PlainFile(image, 1), 0, 4, 0);
    auto setStatedSize = [](uint8_t* block, uint32_t size) {
        WriteU32(block + 11, size);
        uint8_t sum = 0;
        for (int i = 2; i < 2 + block[0]; ++i) sum = static_cast<uint8_t>(sum + block[i]);
        block[1] = sum;
    };

    // Whole file: an archive stating more than the payload, then a cut file.
    Bytes whole = ModeFile(image, 1, 1);
    Bytes bigger = whole;
    setStatedSize(bigger.data() + 128, 0x7FFFFFF0);
    auto f = Loaded(bigger, 0, 4, 1);
    EXPECT_FALSE(f->loadWarnings().empty());
    f = Loaded(Bytes(whole.begin(), whole.begin() + whole.size() / 2), 0, 4, 1);
    EXPECT_THAT(f->loadWarnings(), Contains(AllOf(HasSubstr("damaged"), Not(HasSubstr("header")))));

    // Per section: a TV block stating more than the scratch buffer holds
    // leaves the other sections whole.
    Bytes sections = ModeFile(image, 1, 2);
    setStatedSize(sections.data() + 128 + 12, 0x00200000);
    f = Loaded(sections, 0, 4, 2);
    EXPECT_THAT(f->loadWarnings(), ElementsAre(HasSubstr("TV channel")));
    EXPECT_TRUE(f->db().list(kRadio).records() == plain->db().list(kRadio).records());
    EXPECT_TRUE(f->db().list(kTransponder).records() == plain->db().list(kTransponder).records());

    // A length word and a stated size far beyond what was read: the file
    // ends inside the radio block.
    sections = ModeFile(image, 1, 2);
    WriteU32(sections.data() + 128 + 4, 0xFFFFFFF0);
    const size_t radio = 128 + RegionAt(1, kSectionOrder, 3);
    f = Loaded(Bytes(sections.begin(), sections.begin() + radio + 500), 0, 4, 2);
    EXPECT_TRUE(f->db().list(kTv).records() == plain->db().list(kTv).records());
    EXPECT_GE(f->loadWarnings().size(), 2u);
}

}  // namespace
}  // namespace brondavel
