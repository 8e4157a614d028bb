// brondavel-cli lh5 compress|decompress IN OUT: the codec on whole files.
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/lh5_archive.h"
#include "files/atomic_file.h"
#include "files/lh5/lh5_codec.h"
#include "files/read_file.h"

namespace brondavel::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The most data this tool compresses or expands: no receiver file is larger
// than its 4 MB flash. Longer inputs and members are refused before reading
// them, so a huge or endless input never fills the memory.
constexpr std::size_t kMaxData = 4u << 20;
// Enough for any member header (a size byte counts to 255, then extensions).
constexpr std::size_t kHeaderProbe = 4096;

struct Lh5Arguments {
    std::string in, out;
    bool raw = false;
};

std::string TooLong(const std::string& path) {
    return path + ": more than " + std::to_string(kMaxData) +
           " bytes, larger than any receiver file; nothing was written";
}

// The whole input, when it holds at most kMaxData bytes.
bool ReadData(const std::string& path, Bytes& data) {
    std::string error;
    InputFile in;
    if (!in.Open(path, error)) return Refuse(error);
    if (!in.IsStream() && in.Size() > kMaxData) return Refuse(TooLong(path));
    if (!in.ReadMore(kMaxData + 1, data, error)) return Refuse(error);
    if (data.size() > kMaxData) return Refuse(TooLong(path));
    return true;
}

// The first member: its header is read first, then only the bytes it states.
bool ReadMember(const std::string& path, Bytes& data, lh5::MemberInfo& info) {
    std::string error;
    InputFile in;
    if (!in.Open(path, error) || !in.ReadMore(kHeaderProbe, data, error)) return Refuse(error);
    const auto header = lh5::ReadMemberHeader(data.data(), data.size());
    if (!header) return Refuse(path + ": no usable -lh0-, -lh4- or -lh5- member");
    info = *header;
    if (info.uncompressedSize > kMaxData)
        return Refuse(path + ": the member states " + std::to_string(info.uncompressedSize) +
                      " bytes, more than this tool expands (" + std::to_string(kMaxData) + ")");
    const std::size_t total = info.headerSize + std::size_t{info.compressedSize};
    if (info.compressedSize > kMaxData + lh5::kBlockOverhead)
        return Refuse(path + ": the member states " + std::to_string(info.compressedSize) +
                      " compressed bytes, more than a member of " + std::to_string(kMaxData) +
                      " bytes needs");
    if (total > data.size() && !in.ReadMore(total - data.size(), data, error)) return Refuse(error);
    return true;
}

bool Write(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::string error;
    if (WriteFileAtomically(path, {std::span<const std::uint8_t>(data, size)}, error)) return true;
    Fail(error);
    return false;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int RunCompress(const Lh5Arguments& a) {
    if (!RefuseSameFile(a.in, a.out)) return 1;
    Bytes data;
    if (!ReadData(a.in, data)) return 1;
    auto block = lh5::Compress(data);
    if (!block) return Fail(a.in + ": the data cannot be compressed smaller");
    if (a.raw) return Write(a.out, block->data(), block->size()) ? 0 : 1;
    std::string name = BaseName(a.in);
    if (name.size() > kMaxMemberName) {
        Warn("the member name is cut to " + std::to_string(kMaxMemberName) + " bytes");
        name.resize(kMaxMemberName);
    }
    struct stat st {};
    const std::time_t modified = ::stat(a.in.c_str(), &st) == 0 ? st.st_mtime : std::time(nullptr);
    const auto archive = NamedArchive(*block, name, modified);
    if (!archive) return Fail(a.in + ": the compressed block is unusable");
    return Write(a.out, archive->data(), archive->size()) ? 0 : 1;
}

int RunDecompress(const Lh5Arguments& a) {
    if (!RefuseSameFile(a.in, a.out)) return 1;
    Bytes data;
    lh5::MemberInfo info;
    if (!ReadMember(a.in, data, info)) return 1;
    Bytes plain(info.uncompressedSize);
    lh5::DecodeResult r = lh5::Decode(data.data(), data.size(), plain.data(), plain.size());
    if (r.status != lh5::DecodeStatus::kOk && r.status != lh5::DecodeStatus::kCrcMismatch)
        return Fail(a.in + ": " + lh5::DescribeStatus(r.status));
    // On a CRC mismatch the decoded bytes are still written, as the decoder leaves them.
    if (!Write(a.out, plain.data(), r.size)) return 1;
    if (r.status == lh5::DecodeStatus::kCrcMismatch)
        return Fail(a.in + ": CRC mismatch, the decoded data was written anyway");
    return 0;
}

}  // namespace

void RegisterLh5Command(CLI::App& app, CommonOptions& common) {
    auto* lh5 = app.add_subcommand("lh5", "LH5 (LHA -lh5-) compression of whole files");
    AddCommonOptions(*lh5, common);
    lh5->require_subcommand(1);

    auto a = std::make_shared<Lh5Arguments>();
    auto* compress = lh5->add_subcommand(
        "compress", "compress IN into OUT, a one-member LHA archive named after IN");
    compress->add_option("IN", a->in, "input file")->required();
    compress->add_option("OUT", a->out, "output file")->required();
    compress->add_flag("--raw", a->raw,
                       "write the codec's block as it is (no name, no time), as the "
                       "receiver's files hold it");
    compress->callback([a] { ExitCode() = RunCompress(*a); });

    auto* decompress = lh5->add_subcommand("decompress", "expand the first member of IN into OUT");
    decompress->add_option("IN", a->in, "input file")->required();
    decompress->add_option("OUT", a->out, "output file")->required();
    decompress->callback([a] { ExitCode() = RunDecompress(*a); });
}

}  // namespace brondavel::cli
