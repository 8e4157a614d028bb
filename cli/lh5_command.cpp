// brondavel-cli lh5 compress|decompress IN OUT: the codec on whole files.
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "files/lh5/lh5_codec.h"
#include "files/read_file.h"

namespace brondavel::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Larger members than this are refused before allocating: receiver images are far
// smaller, and the header alone must not make us reserve gigabytes.
constexpr std::uint32_t kMaxUncompressed = 256u << 20;

bool ReadFile(const std::string& path, Bytes& out) {
    std::string error;
    return brondavel::ReadFile(path, out, error);
}

bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(f.flush());
}

int RunCompress(const std::string& in, const std::string& out) {
    Bytes data;
    if (!ReadFile(in, data)) return Fail("cannot read " + in);
    auto block = lh5::Compress(data);
    if (!block) return Fail(in + ": the data cannot be compressed smaller");
    if (!WriteFile(out, block->data(), block->size())) return Fail("cannot write " + out);
    return 0;
}

int RunDecompress(const std::string& in, const std::string& out) {
    Bytes data;
    if (!ReadFile(in, data)) return Fail("cannot read " + in);
    auto info = lh5::ReadMemberHeader(data.data(), data.size());
    if (!info) return Fail(in + ": no usable -lh0-, -lh4- or -lh5- member");
    if (info->uncompressedSize > kMaxUncompressed)
        return Fail(in + ": the member states " + std::to_string(info->uncompressedSize) +
                    " bytes, more than this tool expands");
    Bytes plain(info->uncompressedSize);
    lh5::DecodeResult r = lh5::Decode(data.data(), data.size(), plain.data(), plain.size());
    if (r.status != lh5::DecodeStatus::kOk && r.status != lh5::DecodeStatus::kCrcMismatch)
        return Fail(in + ": " + lh5::DescribeStatus(r.status));
    // On a CRC mismatch the decoded bytes are still written, as the decoder leaves them.
    if (!WriteFile(out, plain.data(), r.size)) return Fail("cannot write " + out);
    if (r.status == lh5::DecodeStatus::kCrcMismatch)
        return Fail(in + ": CRC mismatch, the decoded data was written anyway");
    return 0;
}

}  // namespace

void RegisterLh5Command(CLI::App& app, CommonOptions& common) {
    auto* lh5 = app.add_subcommand("lh5", "LH5 (LHA -lh5-) compression of whole files");
    AddCommonOptions(*lh5, common);
    lh5->require_subcommand(1);

    struct Paths {
        std::string in, out;
    };
    auto paths = std::make_shared<Paths>();
    auto* compress = lh5->add_subcommand("compress", "compress IN into a one-member LHA block OUT");
    compress->add_option("IN", paths->in, "input file")->required();
    compress->add_option("OUT", paths->out, "output file")->required();
    compress->callback([paths] { ExitCode() = RunCompress(paths->in, paths->out); });

    auto* decompress = lh5->add_subcommand("decompress", "expand the first member of IN into OUT");
    decompress->add_option("IN", paths->in, "input file")->required();
    decompress->add_option("OUT", paths->out, "output file")->required();
    decompress->callback([paths] { ExitCode() = RunDecompress(paths->in, paths->out); });
}

}  // namespace brondavel::cli
