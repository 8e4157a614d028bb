#include "files/channel_data_file.h"

#include <gmock/gmock.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "model/first_gen_records.h"
#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;
using testsupport::Slurp;
using testsupport::Spit;
using testsupport::TempDir;

using Counts = std::array<int, 4>;  // satellites, transponders, TV and radio channels

// A valid file: random header and section header bytes, random record bytes
// (unnamed bits included) with references that name existing records, 0xFF
// wherever no section lies, section 4 at the start of region 4.
Bytes RandomFile(std::mt19937& rng, Counts counts) {
    Bytes file(ChannelDataFile::kFileSize, 0xFF);
    auto byte = [&rng] { return static_cast<uint8_t>(rng()); };
    for (size_t i = 0; i < 128; ++i) file[i] = byte();
    std::memcpy(file.data(), "ZCXT", 4);
    std::memcpy(file.data() + 8, "CHAN", 4);
    uint8_t* payload = file.data() + 128;
    const size_t recordSize[4] = {44, 24, 56, 56};
    for (int s = 0; s < 4; ++s) {
        uint8_t* section = payload + ChannelDataFile::kRegions[s].payloadOffset;
        for (int i = 0; i < 12; ++i) section[i] = byte();
        WriteU16(section + 2, static_cast<uint16_t>(counts[s]));
        for (int r = 0; r < counts[s]; ++r) {
            uint8_t* rec = section + 12 + size_t(r) * recordSize[s];
            for (size_t b = 0; b < recordSize[s]; ++b) rec[b] = byte();
            if (s == 1) SetField32(rec, 0, 0, 12, static_cast<uint32_t>(rng() % counts[0]));
            if (s >= 2) WriteU16(rec, static_cast<uint16_t>(rng() % counts[1]));
        }
    }
    uint8_t* s4 = payload + ChannelDataFile::kRegions[4].payloadOffset;
    WriteU16(s4, 0x81DB);
    for (int i = 2; i < 44; ++i) s4[i] = byte();
    return file;
}

// `bytes` written to a file and loaded.
std::unique_ptr<ChannelDataFile> Loaded(const TempDir& dir, const Bytes& bytes) {
    Spit(dir / "in.ZCS", bytes);
    auto file = std::make_unique<ChannelDataFile>(dir / "in.ZCS", 2, 3, 2);
    EXPECT_EQ(file->Load(), 1);
    return file;
}

// Loads `bytes` (twice, and rebuilds the lists once more: each time from the
// image alone, not onto what is there), saves, and returns the saved file.
Bytes Resave(const TempDir& dir, const Bytes& bytes) {
    const auto file = Loaded(dir, bytes);
    EXPECT_EQ(file->Load(), 1);
    EXPECT_EQ(file->ImageToDatabase(), 1);
    EXPECT_EQ(file->db().list(kFavorite).Count(), 16);
    EXPECT_EQ(file->Save(dir / "out.ZCS"), 1);
    return Slurp(dir / "out.ZCS");
}

void ExpectSameExceptDate(Bytes a, Bytes b) {
    std::fill_n(a.begin() + 16, 12, 0);
    std::fill_n(b.begin() + 16, 12, 0);
    EXPECT_TRUE(a == b);
}

TEST(ChannelDataFileRoundTrip, RandomFullAndEmptyFilesComeBackByteForByte) {
    TempDir dir;
    std::mt19937 rng(20261206);
    for (const Counts& c :
         std::vector<Counts>{{0, 0, 0, 0}, {64, 2040, 3500, 1096}, {1, 1, 1, 1}, {2, 3, 2, 0}}) {
        SCOPED_TRACE(testing::Message() << c[0] << "/" << c[1] << "/" << c[2] << "/" << c[3]);
        Bytes original = RandomFile(rng, c);
        // Orphans keep their slot and reference: channel 1 names a transponder
        // and transponder 2 a satellite that are not there.
        if (c[2] > 1) WriteU16(original.data() + 128 + 73728 + 12 + 56, uint16_t(c[1] + 5));
        if (c[1] > 2) SetField32(original.data() + 128 + 8192 + 12 + 48, 0, 0, 12, c[0] + 7);
        const Bytes saved = Resave(dir, original);
        ExpectSameExceptDate(original, saved);
        EXPECT_EQ(std::string(saved.begin() + 24, saved.begin() + 28), "0000");
        EXPECT_TRUE(std::all_of(saved.begin() + 16, saved.begin() + 24, ::isdigit));
    }
}

TEST(ChannelDataFileRoundTrip, MovedSatelliteRewritesTransponderPositions) {
    TempDir dir;
    std::mt19937 rng(7);
    const auto file = Loaded(dir, RandomFile(rng, {5, 40, 10, 3}));
    auto& db = file->db();
    std::vector<Record> satellites = db.list(kSatellite).records();
    std::rotate(satellites.begin(), satellites.begin() + 4, satellites.end());
    ASSERT_EQ(db.RearrangeList(kSatellite, satellites, "test"), 1);
    file->RebuildImage();
    for (int i = 0; i < 40; ++i) {
        const uint32_t position =
            GetField32(file->image().data() + 2840 + 24 * size_t(i), 0, 0, 12);
        ASSERT_LT(position, 5u);
        EXPECT_EQ(satellites[position].id,
                  db.layout().SatelliteRefOf(db.list(kTransponder).records()[i]))
            << "transponder " << i;
    }
}

TEST(ChannelDataFileLoad, EveryLengthLoadsAndMissingBytesReadAsErased) {
    TempDir dir;
    std::mt19937 rng(11);
    const Bytes full = RandomFile(rng, {10, 100, 500, 200});
    for (size_t length = 0; length <= full.size(); length += 4099) {
        for (size_t len : {length, std::min(length + 127, full.size())}) {
            Spit(dir / "cut.ZCS", Bytes(full.begin(), full.begin() + len));
            ChannelDataFile file(dir / "cut.ZCS", 2, 3, 2);
            ASSERT_EQ(file.Load(), len < 128 ? 0 : 1) << len;
            if (len < 128) continue;
            // The image holds the file's bytes, then what erased flash reads as.
            Bytes erased = full;
            std::fill(erased.begin() + len, erased.end(), 0xFF);
            ASSERT_TRUE(file.image() == Loaded(dir, erased)->image()) << len;
        }
    }
    // A file longer than any database is read up to its regions only.
    Bytes longer = full;
    longer.resize(full.size() + 5000, 0x55);
    EXPECT_EQ(Loaded(dir, longer)->db().Count(kTv), 500);
}

TEST(ChannelDataFileLoad, SectionFourFromEitherPlaceAndWrongMagics) {
    TempDir dir;
    std::mt19937 rng(5);
    Bytes bytes = RandomFile(rng, {3, 3, 3, 3});
    uint8_t* payload = bytes.data() + 128;
    Bytes section4(payload + 331776, payload + 331776 + 44);
    section4[10] = 0x42;
    std::memset(payload + 331776, 0xFF, 44);
    std::memcpy(payload + 331948, section4.data(), 44);
    EXPECT_EQ(0, std::memcmp(Loaded(dir, bytes)->image().data() + 309424, section4.data(), 44));
    // Neither place holds 0x81DB: the image's section 4 stays as it was (zero).
    payload[331948] = 0;
    const auto none = Loaded(dir, bytes);
    EXPECT_EQ(Bytes(44, 0), Bytes(none->image().begin() + 309424, none->image().begin() + 309468));

    // A wrong magic opens empty and says so; saving writes the loaded header
    // back with the new date.
    bytes[0] = 'X';
    const auto file = Loaded(dir, bytes);
    EXPECT_FALSE(file->headerValid());
    EXPECT_FALSE(file->loadWarnings().empty());
    EXPECT_EQ(file->db().Count(kSatellite), 0);
    const Bytes saved = Resave(dir, bytes);
    ExpectSameExceptDate({bytes.begin(), bytes.begin() + 128},
                         {saved.begin(), saved.begin() + 128});
    // A missing file and a directory are refused.
    ChannelDataFile missing(dir / "nope.ZCS", 2, 3, 2);
    EXPECT_EQ(missing.Load(), 0);
    EXPECT_FALSE(missing.lastError().empty());
    ChannelDataFile directory(dir.path.string(), 2, 3, 2);
    EXPECT_EQ(directory.Load(), 0);
}

// Loads `path` in a child process, runs `setup` there (limits and identities
// stay in the child) and saves: true when the save failed with a message.
bool SaveFailsInChild(const std::string& path, const std::function<void()>& setup) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ChannelDataFile file(path, 2, 3, 2);
        const bool loaded = file.Load();
        setup();
        _exit(loaded && file.Save(path) == 0 && !file.lastError().empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ChannelDataFileSave, FailuresReturnZeroAndKeepThePreviousFile) {
    TempDir dir;
    std::mt19937 rng(17);
    const Bytes before = RandomFile(rng, {4, 20, 100, 10});
    Spit(dir / "db.ZCS", before);
    // More radio channels than the file keeps are refused, not cut. The image
    // has room for 1100; such a file loads whole.
    Bytes bytes = RandomFile(rng, {1, 1, 0, 1096});
    uint8_t* radio = bytes.data() + 128 + 270336;
    WriteU16(radio + 2, 1100);
    for (int r = 1096; r < 1100; ++r) {
        uint8_t* rec = radio + 12 + 56 * size_t(r);
        std::memset(rec, 0x11 * (r - 1095), 56);
        WriteU16(rec, 0);
    }
    const auto file = Loaded(dir, bytes);
    EXPECT_EQ(file->db().Count(kRadio), 1100);
    EXPECT_EQ(file->Save(dir / "db.ZCS"), 0);
    EXPECT_THAT(file->lastError(), testing::HasSubstr("radio"));
    // A count beyond the image's capacity is clamped on load.
    WriteU16(radio + 2, 5000);
    const auto over = Loaded(dir, bytes);
    EXPECT_EQ(over->db().Count(kRadio), 1100);
    EXPECT_EQ(over->db().StatedCount(kRadio), 5000);
    // The file-size limit stands in for a full disk.
    EXPECT_TRUE(SaveFailsInChild(dir / "db.ZCS", [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }));
    // A folder that cannot be written (as an unprivileged user).
    fs::permissions(dir.path, fs::perms(0555));
    EXPECT_TRUE(SaveFailsInChild(dir / "db.ZCS", [] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(8);
    }));
    EXPECT_EQ(Slurp(dir / "db.ZCS"), before);
    EXPECT_EQ(testsupport::NamesIn(dir), (std::vector<std::string>{"db.ZCS", "in.ZCS"}));
}

}  // namespace
}  // namespace brondavel
