// "-lh5-" encoder: hash-chain longest-match search over the last 8192 bytes, one-step
// lazy matching, and static Huffman blocks cut by the classic 16384-byte code buffer.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "files/lh5/lh5_codec.h"
#include "files/lh5/lh5_format.h"

namespace brondavel::lh5 {
namespace {

using namespace detail;

constexpr std::size_t kCodeBufferSize = 16384;
constexpr int kMaxHashBits = 15;                     // fewer for small inputs: less memory to clear
constexpr std::uint32_t kCyclicSize = 2 * kDicSize;  // a power of two above the window
constexpr std::uint32_t kPosBase = kCyclicSize;      // stored position = pos + base; 0 is empty
// Chain depths: short matches hide among many 4-byte neighbours, long ones are found
// through the far more selective 8-byte chain, which therefore can be walked deeper.
constexpr int kShortChain = 128;
constexpr int kLongChain = 4096;
constexpr int kLongKey = 8;
static_assert(kMaxInputSize == 0x7FFFFFFFu - 2 * kCyclicSize);

struct Workspace {
    // Distance to the previous position of the same chain (0xFFFF: none in the window).
    std::uint16_t prev4[kCyclicSize];
    std::uint16_t prev8[kCyclicSize];
    std::uint8_t codes[kCodeBufferSize];
};

// Longest-match search over the last 8192 bytes: the newest position with the same
// 3 bytes, then hash chains keyed on 4 and on 8 bytes. Among equal lengths the nearest
// wins, which keeps position codes short.
class MatchFinder {
  public:
    // heads holds 3 << hashBits entries, cleared here.
    MatchFinder(Workspace& ws, std::uint32_t* heads, int hashBits, const std::uint8_t* data,
                std::size_t size)
        : ws_(ws),
          head3_(heads),
          head4_(heads + (std::size_t{1} << hashBits)),
          head8_(heads + (std::size_t{2} << hashBits)),
          shift_(32 - hashBits),
          data_(data),
          size_(size) {
        std::memset(heads, 0, (std::size_t{3} << hashBits) * sizeof *heads);
    }

    static int HashBitsFor(std::size_t size) {
        int bits = 10;
        while (bits < kMaxHashBits && (std::size_t{1} << bits) < size) ++bits;
        return bits;
    }

    // Adds pos to the search structures without looking for a match.
    void Skip(std::size_t pos) {
        const std::size_t avail = size_ - pos;
        if (avail < static_cast<std::size_t>(kThreshold)) return;
        const std::uint8_t* cur = data_ + pos;
        const std::uint32_t stored = static_cast<std::uint32_t>(pos) + kPosBase;
        head3_[Hash3(cur)] = stored;
        if (avail < static_cast<std::size_t>(kLongKey)) return;
        const std::uint32_t slot = stored & (kCyclicSize - 1);
        std::uint32_t h = Hash4(cur);
        ws_.prev4[slot] = Link(stored, head4_[h]);
        head4_[h] = stored;
        h = Hash8(cur);
        ws_.prev8[slot] = Link(stored, head8_[h]);
        head8_[h] = stored;
    }

    // Adds pos and returns the longest match there when it is longer than beat (and at
    // least 3), else 0; the distance goes to *dist. A lazy look-ahead only needs to know
    // whether the next position beats the current match, which prunes most candidates.
    int Find(std::size_t pos, std::uint32_t* dist, int beat) {
        const std::size_t avail = size_ - pos;
        if (avail < static_cast<std::size_t>(kThreshold)) return 0;
        const int limit = avail < kMaxMatch ? static_cast<int>(avail) : kMaxMatch;
        const std::uint8_t* cur = data_ + pos;
        const std::uint32_t stored = static_cast<std::uint32_t>(pos) + kPosBase;
        int best = std::max(kThreshold - 1, beat);
        const std::uint32_t h3 = Hash3(cur);
        const std::uint32_t m3 = head3_[h3];
        head3_[h3] = stored;
        if (best < kThreshold && stored - m3 <= static_cast<std::uint32_t>(kDicSize)) {
            const int len = MatchLength(cur - (stored - m3), cur, 0, limit);
            if (len >= kThreshold) {
                best = len;
                *dist = stored - m3;
            }
        }
        if (avail >= static_cast<std::size_t>(kLongKey)) {
            const std::uint32_t slot = stored & (kCyclicSize - 1);
            const std::uint32_t h4 = Hash4(cur);
            const std::uint32_t m4 = head4_[h4];
            ws_.prev4[slot] = Link(stored, m4);
            head4_[h4] = stored;
            const std::uint32_t h8 = Hash8(cur);
            const std::uint32_t m8 = head8_[h8];
            ws_.prev8[slot] = Link(stored, m8);
            head8_[h8] = stored;
            // The 8-byte chain first: when it finds a long match the 4-byte one is not needed.
            if (best < limit)
                best = Walk(ws_.prev8, m8, stored, cur, kLongChain, limit, best, dist);
            if (best < kLongKey && best < limit)
                best = Walk(ws_.prev4, m4, stored, cur, kShortChain, limit, best, dist);
        }
        return best >= kThreshold && best > beat ? best : 0;
    }

  private:
    std::uint32_t Hash3(const std::uint8_t* c) const {
        return ((c[0] | (c[1] << 8) | (c[2] << 16)) * 2654435761u) >> shift_;
    }
    std::uint32_t Hash4(const std::uint8_t* c) const {
        std::uint32_t v;
        std::memcpy(&v, c, 4);
        return (v * 2654435761u) >> shift_;
    }
    std::uint32_t Hash8(const std::uint8_t* c) const {
        std::uint64_t v;
        std::memcpy(&v, c, 8);
        return static_cast<std::uint32_t>((v * 0x9E3779B97F4A7C15ull) >> (32 + shift_));
    }
    static std::uint16_t Link(std::uint32_t stored, std::uint32_t previous) {
        return static_cast<std::uint16_t>(std::min<std::uint32_t>(stored - previous, 0xFFFF));
    }

    // Follows one chain while it stays inside the window; a candidate is compared in full
    // only when it agrees with the current position at the byte that would beat best.
    static int Walk(const std::uint16_t* prev, std::uint32_t match, std::uint32_t stored,
                    const std::uint8_t* cur, int chain, int limit, int best, std::uint32_t* dist) {
        while (chain-- > 0) {
            const std::uint32_t delta = stored - match;
            if (delta > static_cast<std::uint32_t>(kDicSize)) break;
            const std::uint8_t* pb = cur - delta;
            if (pb[best] == cur[best]) {
                const int len = MatchLength(pb, cur, 0, limit);
                if (len > best) {
                    best = len;
                    *dist = delta;
                    if (len == limit) break;
                }
            }
            match -= prev[match & (kCyclicSize - 1)];
        }
        return best;
    }

    static int MatchLength(const std::uint8_t* a, const std::uint8_t* b, int len, int limit) {
        while (len + 8 <= limit) {
            std::uint64_t x, y;
            std::memcpy(&x, a + len, 8);
            std::memcpy(&y, b + len, 8);
            if (x != y) return len + (__builtin_ctzll(x ^ y) >> 3);
            len += 8;
        }
        while (len < limit && a[len] == b[len]) ++len;
        return len;
    }

    Workspace& ws_;
    std::uint32_t* head3_;
    std::uint32_t* head4_;
    std::uint32_t* head8_;
    int shift_;
    const std::uint8_t* data_;
    std::size_t size_;
};

// Canonical Huffman code lengths limited to 16 bits. Returns the only symbol when at
// most one has a nonzero frequency (its length stays 0), else n.
int MakeCode(int n, const unsigned* freq, std::uint8_t* len, std::uint16_t* code) {
    int sym[kNC];
    int m = 0;
    for (int i = 0; i < n; ++i) {
        len[i] = 0;
        code[i] = 0;  // a 0-bit code must add nothing to the bit stream
        if (freq[i] != 0) sym[m++] = i;
    }
    if (m <= 1) return m == 1 ? sym[0] : 0;
    std::stable_sort(sym, sym + m, [&](int a, int b) { return freq[a] < freq[b]; });

    // Two-queue Huffman over the sorted leaves: nodes 0..m-1 leaves, then the inner ones.
    unsigned weight[2 * kNC];
    int parent[2 * kNC];
    for (int i = 0; i < m; ++i) weight[i] = freq[sym[i]];
    int leaf = 0, inner = m;
    for (int k = m; k < 2 * m - 1; ++k) {
        int pick[2];
        for (int& p : pick) {
            if (leaf < m && (inner >= k || weight[leaf] <= weight[inner])) {
                p = leaf++;
            } else {
                p = inner++;
            }
        }
        weight[k] = weight[pick[0]] + weight[pick[1]];
        parent[pick[0]] = parent[pick[1]] = k;
    }
    int depth[2 * kNC];
    depth[2 * m - 2] = 0;
    unsigned lenCount[kMaxCodeLen + 1] = {};
    for (int k = 2 * m - 3; k >= 0; --k) {
        depth[k] = depth[parent[k]] + 1;
        if (k < m) ++lenCount[std::min(depth[k], kMaxCodeLen)];
    }
    // Clamped lengths may overfill the code space: lengthen short codes until it fits.
    std::uint32_t cum = 0;
    for (int l = kMaxCodeLen; l > 0; --l) cum += lenCount[l] << (kMaxCodeLen - l);
    while (cum != (1u << kMaxCodeLen)) {
        --lenCount[kMaxCodeLen];
        for (int l = kMaxCodeLen - 1; l > 0; --l) {
            if (lenCount[l] != 0) {
                --lenCount[l];
                lenCount[l + 1] += 2;
                break;
            }
        }
        --cum;
    }
    // Longest codes to the rarest symbols.
    int k = 0;
    for (int l = kMaxCodeLen; l > 0; --l)
        for (unsigned c = 0; c < lenCount[l]; ++c) len[sym[k++]] = static_cast<std::uint8_t>(l);

    unsigned start[kMaxCodeLen + 2];
    unsigned count[kMaxCodeLen + 1] = {};
    for (int i = 0; i < n; ++i) ++count[len[i]];
    start[1] = 0;
    for (int l = 1; l <= kMaxCodeLen; ++l) start[l + 1] = (start[l] + count[l]) << 1;
    for (int i = 0; i < n; ++i)
        if (len[i] != 0) code[i] = static_cast<std::uint16_t>(start[len[i]]++);
    return n;
}

class Encoder {
  public:
    Encoder(Workspace& ws, std::uint32_t* heads, int hashBits, const std::uint8_t* in,
            std::size_t size, std::uint8_t* out, std::size_t capacity)
        : ws_(ws),
          heads_(heads),
          hashBits_(hashBits),
          in_(in),
          size_(size),
          out_(out),
          capacity_(capacity - kBlockOverhead) {}

    // Returns the compressed size, or nothing when the data does not get smaller.
    std::optional<std::size_t> Run() {
        MatchFinder finder(ws_, heads_, hashBits_, in_, size_);
        std::size_t pos = 0;
        std::uint32_t dist = 0;
        int len = finder.Find(0, &dist, 0);
        while (pos < size_ && !failed_) {
            const int lastLen = len;
            const std::uint32_t lastDist = dist;
            ++pos;
            // One-step lazy evaluation: a literal now when the next position does better.
            len = pos < size_ ? finder.Find(pos, &dist, lastLen) : 0;
            if (len > lastLen || lastLen < kThreshold) {
                Output(in_[pos - 1], 0);
            } else {
                Output(static_cast<unsigned>(lastLen + (256 - kThreshold)), lastDist - 1);
                for (int k = 2; k < lastLen; ++k) finder.Skip(++pos);
                ++pos;
                len = pos < size_ ? finder.Find(pos, &dist, 0) : 0;
            }
            position_ = pos;
        }
        if (failed_) return std::nullopt;
        position_ = size_;
        SendBlock();
        PutBits(7, 0);  // flush the last partial byte
        if (failed_) return std::nullopt;
        return written_;
    }

  private:
    // One flag byte per eight codes, one byte per literal, three per match; the block is
    // sent when a flag byte is due and fewer than 24 bytes of the buffer remain.
    void Output(unsigned c, unsigned p) {
        if ((mask_ >>= 1) == 0) {
            mask_ = 0x80;
            if (codePos_ >= kCodeBufferSize - 24) {
                SendBlock();
                if (failed_) return;
                codePos_ = 0;
            }
            flagPos_ = codePos_++;
            ws_.codes[flagPos_] = 0;
        }
        ws_.codes[codePos_++] = static_cast<std::uint8_t>(c);
        ++cFreq_[c];
        if (c >= 256) {
            ws_.codes[flagPos_] |= static_cast<std::uint8_t>(mask_);
            ws_.codes[codePos_++] = static_cast<std::uint8_t>(p >> 8);
            ws_.codes[codePos_++] = static_cast<std::uint8_t>(p);
            ++pFreq_[BitLength(p)];
        }
        ++codeCount_;
    }

    static int BitLength(unsigned p) { return p == 0 ? 0 : 32 - __builtin_clz(p); }

    void PutBits(int n, unsigned v) {
        acc_ = (acc_ << n) | v;
        accBits_ += n;
        while (accBits_ >= 8) {
            accBits_ -= 8;
            PutByte(static_cast<std::uint8_t>(acc_ >> accBits_));
        }
    }

    // Compressed bytes go out only while they stay fewer than the input bytes read so far
    // (the classic encoder reads 8448 bytes ahead, then 8192 at every window slide).
    void PutByte(std::uint8_t b) {
        const std::size_t read = std::min<std::size_t>(
            size_, kDicSize + kMaxMatch + (position_ & ~std::size_t{kDicSize - 1}));
        if (written_ < read && written_ < capacity_) {
            out_[kHeaderBytes + written_++] = b;
        } else {
            failed_ = true;
        }
    }

    void CountTFreq() {
        std::fill(std::begin(tFreq_), std::end(tFreq_), 0u);
        int n = kNC;
        while (n > 0 && cLen_[n - 1] == 0) --n;
        int i = 0;
        while (i < n) {
            int k = cLen_[i++];
            if (k == 0) {
                int count = 1;
                while (i < n && cLen_[i] == 0) {
                    ++i;
                    ++count;
                }
                if (count <= 2) {
                    tFreq_[0] += static_cast<unsigned>(count);
                } else if (count <= 18) {
                    ++tFreq_[1];
                } else if (count == 19) {
                    ++tFreq_[0];
                    ++tFreq_[1];
                } else {
                    ++tFreq_[2];
                }
            } else {
                ++tFreq_[k + 2];
            }
        }
    }

    void WritePtLen(int n, int nbit, int special) {
        while (n > 0 && ptLen_[n - 1] == 0) --n;
        PutBits(nbit, static_cast<unsigned>(n));
        int i = 0;
        while (i < n) {
            int k = ptLen_[i++];
            if (k <= 6) {
                PutBits(3, static_cast<unsigned>(k));
            } else {
                PutBits(k - 3, (1u << (k - 3)) - 2);
            }
            if (i == special) {
                while (i < 6 && ptLen_[i] == 0) ++i;
                PutBits(2, static_cast<unsigned>((i - 3) & 3));
            }
        }
    }

    void WriteCLen() {
        int n = kNC;
        while (n > 0 && cLen_[n - 1] == 0) --n;
        PutBits(kCBits, static_cast<unsigned>(n));
        int i = 0;
        while (i < n) {
            int k = cLen_[i++];
            if (k == 0) {
                int count = 1;
                while (i < n && cLen_[i] == 0) {
                    ++i;
                    ++count;
                }
                if (count <= 2) {
                    for (int z = 0; z < count; ++z) PutBits(ptLen_[0], ptCode_[0]);
                } else if (count <= 18) {
                    PutBits(ptLen_[1], ptCode_[1]);
                    PutBits(4, static_cast<unsigned>(count - 3));
                } else if (count == 19) {
                    PutBits(ptLen_[0], ptCode_[0]);
                    PutBits(ptLen_[1], ptCode_[1]);
                    PutBits(4, 15);
                } else {
                    PutBits(ptLen_[2], ptCode_[2]);
                    PutBits(kCBits, static_cast<unsigned>(count - 20));
                }
            } else {
                PutBits(ptLen_[k + 2], ptCode_[k + 2]);
            }
        }
    }

    void SendBlock() {
        int root = MakeCode(kNC, cFreq_, cLen_, cCode_);
        PutBits(16, codeCount_);
        if (root >= kNC) {
            CountTFreq();
            int troot = MakeCode(kNT, tFreq_, ptLen_, ptCode_);
            if (troot >= kNT) {
                WritePtLen(kNT, kTBits, 3);
            } else {
                PutBits(kTBits, 0);
                PutBits(kTBits, static_cast<unsigned>(troot));
            }
            WriteCLen();
        } else {
            PutBits(kTBits, 0);
            PutBits(kTBits, 0);
            PutBits(kCBits, 0);
            PutBits(kCBits, static_cast<unsigned>(root));
        }
        int proot = MakeCode(kNP, pFreq_, ptLen_, ptCode_);
        if (proot >= kNP) {
            WritePtLen(kNP, kPBits, -1);
        } else {
            PutBits(kPBits, 0);
            PutBits(kPBits, static_cast<unsigned>(proot));
        }
        std::size_t at = 0;
        unsigned flags = 0;
        for (unsigned i = 0; i < codeCount_ && !failed_; ++i) {
            if (i % 8 == 0) {
                flags = ws_.codes[at++];
            } else {
                flags <<= 1;
            }
            if (flags & 0x80) {
                unsigned c = ws_.codes[at] + 256u;
                unsigned p = (ws_.codes[at + 1] << 8) | ws_.codes[at + 2];
                at += 3;
                PutBits(cLen_[c], cCode_[c]);
                int b = BitLength(p);
                PutBits(ptLen_[b], ptCode_[b]);
                if (b > 1) PutBits(b - 1, p & ((1u << (b - 1)) - 1));
            } else {
                unsigned c = ws_.codes[at++];
                PutBits(cLen_[c], cCode_[c]);
            }
        }
        std::fill(std::begin(cFreq_), std::end(cFreq_), 0u);
        std::fill(std::begin(pFreq_), std::end(pFreq_), 0u);
        codeCount_ = 0;
    }

    Workspace& ws_;
    std::uint32_t* heads_;
    int hashBits_;
    const std::uint8_t* in_;
    std::size_t size_;
    std::uint8_t* out_;
    std::size_t capacity_;  // room for compressed bytes
    std::size_t written_ = 0;
    std::size_t position_ = 0;
    bool failed_ = false;

    std::uint64_t acc_ = 0;
    int accBits_ = 0;

    std::size_t codePos_ = 0;
    std::size_t flagPos_ = 0;
    unsigned mask_ = 0;
    unsigned codeCount_ = 0;

    unsigned cFreq_[kNC] = {};
    unsigned pFreq_[kNP] = {};
    unsigned tFreq_[kNT] = {};
    std::uint8_t cLen_[kNC] = {};
    std::uint16_t cCode_[kNC] = {};
    std::uint8_t ptLen_[kNT] = {};
    std::uint16_t ptCode_[kNT] = {};
};

void WriteHeader(std::uint8_t* out, std::size_t compressed, std::size_t size, std::uint16_t crc) {
    std::uint8_t* h = out + 2;
    std::memcpy(h + kMethodAt, "-lh5-", 5);
    PutLe32(h + kCompressedSizeAt, static_cast<std::uint32_t>(compressed));
    PutLe32(h + kUncompressedSizeAt, static_cast<std::uint32_t>(size));
    PutLe32(h + 13, 0);  // time stamp
    h[17] = 0x20;        // attribute
    h[18] = 1;           // header level
    h[kNameLengthAt] = 0;
    PutLe16(h + 20, crc);
    h[22] = 0x20;  // operating-system id
    PutLe16(h + 23, 0);
    unsigned sum = 0;
    for (int i = 0; i < kBaseHeaderSize; ++i) sum += h[i];
    out[0] = kBaseHeaderSize;
    out[1] = static_cast<std::uint8_t>(sum);
}

}  // namespace

std::int64_t Compress(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                      std::size_t outputCapacity) {
    if (output == nullptr || outputCapacity < kBlockOverhead) return -1;
    output[0] = 0;  // reads as an empty archive unless a block is completed
    if (input == nullptr || inputSize == 0 || inputSize > kMaxInputSize) return -1;
    const int hashBits = MatchFinder::HashBitsFor(inputSize);
    std::unique_ptr<Workspace> ws(new (std::nothrow) Workspace);
    std::unique_ptr<std::uint32_t[]> heads(new (std::nothrow) std::uint32_t[3u << hashBits]);
    if (!ws || !heads) return -1;
    Encoder encoder(*ws, heads.get(), hashBits, input, inputSize, output, outputCapacity);
    std::optional<std::size_t> compressed = encoder.Run();
    // The byte rule lets the stream reach the input size; that is not smaller either.
    if (!compressed || *compressed >= inputSize) return -1;
    output[kHeaderBytes + *compressed] = 0;
    WriteHeader(output, *compressed, inputSize, Crc16(input, inputSize));
    return static_cast<std::int64_t>(kBlockOverhead + *compressed);
}

std::optional<std::vector<std::uint8_t>> Compress(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> out(CompressBound(input.size()));
    std::int64_t n = Compress(input.data(), input.size(), out.data(), out.size());
    if (n < 0) return std::nullopt;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace brondavel::lh5
