// Bounded decoder for "-lh0-", "-lh4-" and "-lh5-" members: every read stays inside the
// input, every write inside the stated uncompressed size, and every table is checked to
// form a complete prefix code before it is used.
#include <algorithm>
#include <cstring>

#include "files/lh5/lh5_codec.h"
#include "files/lh5/lh5_format.h"

namespace brondavel::lh5 {
namespace {

using namespace detail;

class BitReader {
  public:
    BitReader(const std::uint8_t* data, std::size_t size)
        : start_(data), p_(data), end_(data + size) {}

    // Leaves at least 56 bits in the buffer; past the end of the data it shifts in zeros.
    void Refill() {
        if (end_ - p_ >= 8) {
            std::uint64_t v = 0;
            for (int i = 0; i < 8; ++i) v = (v << 8) | p_[i];
            buf_ |= v >> bits_;
            p_ += (63 - bits_) >> 3;
            bits_ |= 56;
            return;
        }
        while (bits_ <= 56) {
            std::uint64_t b = 0;
            if (p_ < end_) {
                b = *p_++;
            } else {
                ++padded_;
            }
            buf_ |= b << (56 - bits_);
            bits_ += 8;
        }
    }
    unsigned Peek16() const { return static_cast<unsigned>(buf_ >> 48); }
    void Consume(int n) {
        buf_ <<= n;
        bits_ -= n;
    }
    // n in 1..16; the caller has refilled.
    unsigned Take(int n) {
        unsigned v = static_cast<unsigned>(buf_ >> (64 - n));
        Consume(n);
        return v;
    }
    unsigned Get(int n) {
        Refill();
        return Take(n);
    }
    // True once more bits were taken than the data holds. The zero padding of one
    // refill may be read ahead without being taken, so check against the exact count.
    bool Overrun() const {
        if (padded_ > 8) return true;
        std::size_t loaded = static_cast<std::size_t>(p_ - start_) + padded_;
        return loaded * 8 - static_cast<std::size_t>(bits_) >
               static_cast<std::size_t>(end_ - start_) * 8;
    }
    bool FarOverrun() const { return padded_ > 8; }

  private:
    const std::uint8_t* start_;
    const std::uint8_t* p_;
    const std::uint8_t* end_;
    std::uint64_t buf_ = 0;
    int bits_ = 0;
    std::size_t padded_ = 0;
};

// Canonical Huffman decoding table: codes of up to kLookBits bits resolve with one
// lookup, longer ones by walking the per-length ranges.
template <int kSymbols, int kLookBits>
class HuffmanTable {
  public:
    // A one-symbol table: the symbol costs no bits.
    void SetSingle(unsigned symbol) {
        std::fill(std::begin(lookup_), std::end(lookup_), static_cast<std::uint16_t>(symbol << 5));
    }

    // False when the lengths do not form a complete prefix code.
    bool Build(const std::uint8_t* len, int n) {
        unsigned count[kMaxCodeLen + 2] = {};
        for (int i = 0; i < n; ++i) ++count[len[i]];
        std::uint32_t start = 0;
        for (int l = 1; l <= kMaxCodeLen; ++l) {
            start_[l] = start;
            start += count[l] << (kMaxCodeLen - l);
        }
        start_[kMaxCodeLen + 1] = start;
        if (start != (1u << kMaxCodeLen)) return false;
        unsigned offset = 0;
        for (int l = 1; l <= kMaxCodeLen; ++l) {
            offset_[l] = offset;
            offset += count[l];
        }
        unsigned next[kMaxCodeLen + 1];
        std::copy(std::begin(offset_), std::end(offset_), std::begin(next));
        for (int i = 0; i < n; ++i)
            if (len[i] != 0) sorted_[next[len[i]]++] = static_cast<std::uint16_t>(i);
        std::fill(std::begin(lookup_), std::end(lookup_), kLong);
        for (int l = 1; l <= kLookBits; ++l) {
            unsigned first = start_[l] >> (kMaxCodeLen - kLookBits);
            unsigned span = 1u << (kLookBits - l);
            for (unsigned k = 0; k < count[l]; ++k) {
                auto entry = static_cast<std::uint16_t>((sorted_[offset_[l] + k] << 5) | l);
                std::fill_n(lookup_ + first + k * span, span, entry);
            }
        }
        return true;
    }

    // The caller has refilled: at least 16 bits are buffered.
    unsigned Decode(BitReader& in) const {
        unsigned v = in.Peek16();
        unsigned e = lookup_[v >> (kMaxCodeLen - kLookBits)];
        if ((e & 31) != kLongLen) {
            in.Consume(static_cast<int>(e & 31));
            return e >> 5;
        }
        int l = kLookBits + 1;
        while (v >= start_[l + 1]) ++l;
        in.Consume(l);
        return sorted_[offset_[l] + ((v - start_[l]) >> (kMaxCodeLen - l))];
    }

  private:
    static constexpr unsigned kLongLen = 31;
    static constexpr std::uint16_t kLong = kLongLen;
    std::uint16_t lookup_[1u << kLookBits];
    std::uint32_t start_[kMaxCodeLen + 2] = {};
    unsigned offset_[kMaxCodeLen + 1] = {};
    std::uint16_t sorted_[kSymbols] = {};
};

using CTable = HuffmanTable<kNC, 12>;
using PtTable = HuffmanTable<kNT, 8>;  // pre-tree and positions share the shape

class BlockDecoder {
  public:
    BlockDecoder(const std::uint8_t* data, std::size_t size) : in_(data, size) {}

    DecodeStatus Run(std::uint8_t* out, std::size_t total) {
        std::size_t done = 0;
        unsigned left = 0;  // codes left in the current block
        while (done < total) {
            if (left == 0) {
                if (in_.Overrun()) return DecodeStatus::kTruncated;
                left = in_.Get(16);
                if (left == 0) return DecodeStatus::kCorruptData;
                DecodeStatus s = ReadTables();
                if (s != DecodeStatus::kOk) return s;
            }
            --left;
            in_.Refill();
            if (in_.FarOverrun()) return DecodeStatus::kTruncated;
            unsigned c = c_.Decode(in_);
            if (c < 256) {
                out[done++] = static_cast<std::uint8_t>(c);
                continue;
            }
            std::size_t len = c - (256 - kThreshold);
            unsigned p = pos_.Decode(in_);
            std::size_t dist = p;
            if (p > 1) dist = (1u << (p - 1)) + in_.Take(static_cast<int>(p - 1));
            ++dist;
            if (dist > done) return DecodeStatus::kCorruptData;
            if (len > total - done) return DecodeStatus::kCorruptData;
            std::uint8_t* d = out + done;
            const std::uint8_t* s = d - dist;
            if (dist >= len) {
                std::memcpy(d, s, len);
            } else if (dist == 1) {
                std::memset(d, *s, len);
            } else {
                for (std::size_t i = 0; i < len; ++i) d[i] = s[i];
            }
            done += len;
        }
        return in_.Overrun() ? DecodeStatus::kTruncated : DecodeStatus::kOk;
    }

  private:
    // Pre-tree or position lengths: 3 bits each, 7 extended by a run of 1 bits.
    DecodeStatus ReadPtLengths(PtTable& table, int nn, int nbit, int special) {
        int n = static_cast<int>(in_.Get(nbit));
        if (n == 0) {
            unsigned sym = in_.Get(nbit);
            if (static_cast<int>(sym) >= nn) return DecodeStatus::kCorruptData;
            table.SetSingle(sym);
            return DecodeStatus::kOk;
        }
        if (n > nn) return DecodeStatus::kCorruptData;
        std::uint8_t len[kNT] = {};
        int i = 0;
        while (i < n) {
            unsigned c = in_.Get(3);
            if (c == 7) {
                while (in_.Get(1) == 1) {
                    if (++c > kMaxCodeLen) return DecodeStatus::kCorruptData;
                }
            }
            len[i++] = static_cast<std::uint8_t>(c);
            if (i == special) {
                int zeros = static_cast<int>(in_.Get(2));
                if (i + zeros > n) return DecodeStatus::kCorruptData;
                i += zeros;  // already 0
            }
            if (in_.FarOverrun()) return DecodeStatus::kTruncated;
        }
        return table.Build(len, nn) ? DecodeStatus::kOk : DecodeStatus::kCorruptData;
    }

    DecodeStatus ReadCLengths() {
        int n = static_cast<int>(in_.Get(kCBits));
        if (n == 0) {
            unsigned sym = in_.Get(kCBits);
            if (sym >= static_cast<unsigned>(kNC)) return DecodeStatus::kCorruptData;
            c_.SetSingle(sym);
            return DecodeStatus::kOk;
        }
        if (n > kNC) return DecodeStatus::kCorruptData;
        std::uint8_t len[kNC] = {};
        int i = 0;
        while (i < n) {
            in_.Refill();
            if (in_.FarOverrun()) return DecodeStatus::kTruncated;
            unsigned c = pt_.Decode(in_);
            if (c <= 2) {
                int zeros = 1;
                if (c == 1) zeros = static_cast<int>(in_.Take(4)) + 3;
                if (c == 2) zeros = static_cast<int>(in_.Take(kCBits)) + 20;
                if (i + zeros > n) return DecodeStatus::kCorruptData;
                i += zeros;
            } else {
                len[i++] = static_cast<std::uint8_t>(c - 2);
            }
        }
        return c_.Build(len, kNC) ? DecodeStatus::kOk : DecodeStatus::kCorruptData;
    }

    DecodeStatus ReadTables() {
        DecodeStatus s = ReadPtLengths(pt_, kNT, kTBits, 3);
        if (s == DecodeStatus::kOk) s = ReadCLengths();
        if (s == DecodeStatus::kOk) s = ReadPtLengths(pos_, kNP, kPBits, -1);
        if (s == DecodeStatus::kOk && in_.Overrun()) s = DecodeStatus::kTruncated;
        return s;
    }

    BitReader in_;
    CTable c_;
    PtTable pt_;
    PtTable pos_;
};

bool MethodOk(const std::uint8_t* m) {
    return m[0] == '-' && m[1] == 'l' && m[2] == 'h' && m[4] == '-' &&
           (m[3] == '0' || m[3] == '4' || m[3] == '5');
}

}  // namespace

const char* DescribeStatus(DecodeStatus status) {
    switch (status) {
        case DecodeStatus::kOk:
            return "ok";
        case DecodeStatus::kCrcMismatch:
            return "CRC mismatch";
        case DecodeStatus::kBadHeader:
            return "unusable member header";
        case DecodeStatus::kBadMethod:
            return "unsupported method";
        case DecodeStatus::kTruncated:
            return "member runs past the end of the input";
        case DecodeStatus::kCorruptData:
            return "corrupt compressed data";
        case DecodeStatus::kOutputTooSmall:
            return "uncompressed size exceeds the output capacity";
    }
    return "unknown";
}

std::optional<MemberInfo> ReadMemberHeader(const std::uint8_t* input, std::size_t inputSize) {
    if (input == nullptr || inputSize < 2) return std::nullopt;
    const std::size_t h = input[0];
    // A level-1 header has 25 fixed bytes besides the name.
    if (h < kBaseHeaderSize || inputSize < 2 + h) return std::nullopt;
    const std::uint8_t* hdr = input + 2;
    if (!MethodOk(hdr + kMethodAt)) return std::nullopt;
    if (hdr[kNameLengthAt] > h - kBaseHeaderSize) return std::nullopt;
    MemberInfo info;
    info.method = static_cast<char>(hdr[kMethodAt + 3]);
    info.headerSize = 2 + h;
    info.compressedSize = Le32(hdr + kCompressedSizeAt);
    info.uncompressedSize = Le32(hdr + kUncompressedSizeAt);
    info.crc = Le16(hdr + h - 5);
    return info;
}

DecodeResult Decode(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                    std::size_t outputCapacity) {
    DecodeResult result;
    if (input == nullptr || inputSize < 2 || input[0] < kBaseHeaderSize) return result;
    if (inputSize < 2u + input[0]) {
        result.status = DecodeStatus::kTruncated;
        return result;
    }
    if (!MethodOk(input + 2 + kMethodAt)) {
        result.status = DecodeStatus::kBadMethod;
        return result;
    }
    std::optional<MemberInfo> info = ReadMemberHeader(input, inputSize);
    if (!info) return result;  // name length beyond the header
    if (info->compressedSize > inputSize - info->headerSize) {
        result.status = DecodeStatus::kTruncated;
        return result;
    }
    const std::uint8_t* data = input + info->headerSize;
    std::size_t rest = info->compressedSize;
    // Level-1 extended headers sit at the start of the data and count in its size.
    std::size_t next = Le16(input + info->headerSize - 2);
    while (next != 0) {
        if (next < 3 || next > rest) return result;
        data += next - 2;
        std::size_t following = Le16(data);
        data += 2;
        rest -= next;
        next = following;
    }
    const std::size_t total = info->uncompressedSize;
    if (total > outputCapacity || (total > 0 && output == nullptr)) {
        result.status = DecodeStatus::kOutputTooSmall;
        return result;
    }
    if (info->method == '0') {
        if (total > rest) {
            result.status = DecodeStatus::kTruncated;
            return result;
        }
        if (total > 0) std::memcpy(output, data, total);
    } else if (total > 0) {
        BlockDecoder decoder(data, rest);
        DecodeStatus s = decoder.Run(output, total);
        if (s != DecodeStatus::kOk) {
            result.status = s;
            return result;
        }
    }
    result.size = total;
    result.status =
        Crc16(output, total) == info->crc ? DecodeStatus::kOk : DecodeStatus::kCrcMismatch;
    return result;
}

}  // namespace brondavel::lh5
