// Test data and stream-crafting helpers shared by the LH5 tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "files/lh5/lh5_codec.h"

namespace lh5test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes RandomBytes(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    return b;
}

// 48-byte channel-like records (two-word name, id, frequencies) filling three
// quarters of n bytes, then 0xFF free space.
inline Bytes ReceiverRecords(std::size_t n, std::uint64_t seed) {
    static const char* kWords[] = {"Sport", "News", "Kino", "Music", "Kids", "Info",
                                   "Welt",  "Plus", "Star", "Gold",  "Life", "Travel"};
    std::mt19937_64 rng(seed);
    Bytes b(n, 0xFF);
    std::fill_n(b.begin(), n * 3 / 4, 0);
    for (std::size_t at = 0, id = 0; at + 48 <= n * 3 / 4; at += 48, ++id) {
        const std::string name = std::string(kWords[rng() % 12]) + " " + kWords[rng() % 12];
        std::copy(name.begin(), name.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        const std::uint64_t r = rng();
        const std::uint64_t v[] = {id, id >> 8, r & 0x1F, 0,      r >> 8, (r >> 16) & 0x1F,
                                   0,  0,       0x11,     r >> 24};
        for (int k = 0; k < 10; ++k) b[at + 24 + k] = static_cast<std::uint8_t>(v[k]);
    }
    return b;
}

inline Bytes Text(std::size_t n, std::uint64_t seed) {
    static const char* kWords[] = {"the",   "receiver",  "channel", "of",    "and",   "a",
                                   "list",  "satellite", "to",      "radio", "group", "is",
                                   "frame", "window",    "signal",  "with",  "in",    "stored"};
    std::mt19937_64 rng(seed);
    std::string s;
    while (s.size() < n) {
        s += kWords[rng() % 18];
        s += (rng() % 11 == 0) ? ".\n" : " ";
    }
    return Bytes(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

// Bytes in which no 3-byte string repeats (for up to 32768 bytes) but that still
// compress: the encoder finds no match and emits literals only.
inline Bytes MatchlessBytes(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t k = i / 2;
        b[i] = static_cast<std::uint8_t>(i % 2 == 0 ? k % 128 : 128 + (k / 128) % 128);
    }
    return b;
}

// For input that must compress: gtest reports the exception as the test's failure.
inline Bytes CompressOrDie(const Bytes& in) {
    return brondavel::lh5::Compress(in).value();
}

// Decodes a copy of the member (so a read past it hits the heap's boundary) into an
// output of exactly `capacity` bytes: the status and the bytes written.
inline std::pair<brondavel::lh5::DecodeStatus, Bytes> DecodeAll(const Bytes& member,
                                                                std::size_t capacity) {
    const Bytes in(member);
    Bytes out(capacity);
    const auto r = brondavel::lh5::Decode(in.data(), in.size(), out.data(), out.size());
    out.resize(r.size);
    return {r.status, out};
}

// `b` with the given bytes written over it from `at` on.
inline Bytes Patched(Bytes b, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    return b;
}

// Writes bits most significant first, as the -lh5- stream does.
class BitSink {
  public:
    BitSink& Put(int n, unsigned v) {
        for (int i = n - 1; i >= 0; --i, ++bits_) {
            if (bits_ % 8 == 0) bytes_.push_back(0);
            bytes_.back() |= static_cast<std::uint8_t>(((v >> i) & 1) << (7 - bits_ % 8));
        }
        return *this;
    }
    // The bytes written, the last one filled up with 0 bits.
    const Bytes& Finish() const { return bytes_; }

  private:
    Bytes bytes_;
    std::size_t bits_ = 0;
};

// Canonical codes as LHA assigns them (shorter codes first, then by symbol).
inline std::vector<unsigned> CanonicalCodes(const std::vector<int>& len) {
    unsigned count[18] = {}, start[18] = {};
    for (int l : len) ++count[l];
    for (int l = 1; l <= 16; ++l) start[l + 1] = (start[l] + count[l]) << 1;
    std::vector<unsigned> code(len.size());
    for (std::size_t i = 0; i < len.size(); ++i)
        if (len[i] != 0) code[i] = start[len[i]]++;
    return code;
}

// Pre-tree or position lengths with their count; zerosAfterThird is the 2-bit field
// of the pre-tree (special < 0: no such field).
inline BitSink& PutPtLengths(BitSink& s, const std::vector<int>& len, int nbit, int special,
                             unsigned zerosAfterThird = 0) {
    s.Put(nbit, static_cast<unsigned>(len.size()));
    for (std::size_t i = 0; i < len.size(); ++i) {
        // 0-6 in three bits; from 7 on, 7 and then a 1 bit for each step beyond, and a 0.
        s.Put(3, static_cast<unsigned>(std::min(len[i], 7)));
        for (int j = 7; j <= len[i]; ++j) s.Put(1, j < len[i]);
        if (static_cast<int>(i) + 1 == special) {
            s.Put(2, zerosAfterThird);
            i += zerosAfterThird;
        }
    }
    return s;
}

// Literal/length lengths, every entry sent as its own pre-tree symbol.
inline BitSink& PutCLengths(BitSink& s, const std::vector<int>& cLen,
                            const std::vector<int>& ptLen) {
    auto code = CanonicalCodes(ptLen);
    s.Put(9, static_cast<unsigned>(cLen.size()));
    for (int k : cLen) {
        int sym = k == 0 ? 0 : k + 2;
        s.Put(ptLen[sym], code[sym]);
    }
    return s;
}

// A complete set of tables: literals 9 bits, lengths 8 or 9 bits, positions 3 or 4.
struct Tables {
    std::vector<int> pt, c, p;
    std::vector<unsigned> cCode, pCode;
    Tables() : pt(12, 0), c(510, 9), p(14, 4) {
        pt[10] = pt[11] = 1;  // lengths 8 and 9
        c[256] = c[257] = 8;  // match lengths 3 and 4
        p[0] = p[1] = 3;
        cCode = CanonicalCodes(c);
        pCode = CanonicalCodes(p);
    }
    void Literal(BitSink& s, unsigned byte) const { s.Put(c[byte], cCode[byte]); }
    // A match of length 3..256 reaching dist (1..8192) bytes back.
    void Match(BitSink& s, unsigned length, unsigned dist) const {
        unsigned sym = length + 253;
        s.Put(c[sym], cCode[sym]);
        unsigned v = dist - 1;
        int b = 0;
        while ((v >> b) != 0) ++b;
        s.Put(p[b], pCode[b]);
        if (b > 1) s.Put(b - 1, v & ((1u << (b - 1)) - 1));
    }
};

// Wraps data in a level-1 member header; name and extended headers as given. The
// extended headers are placed in front of data and counted in the compressed size.
inline Bytes Member(const Bytes& data, std::uint32_t uncompressed, std::uint16_t crc,
                    char method = '5', const std::string& name = "", const Bytes& ext = {},
                    std::uint16_t firstExt = 0) {
    const std::string m = std::string("-lh") + method + "-";
    Bytes h(m.begin(), m.end());
    auto le = [&h](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) h.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    le(static_cast<std::uint32_t>(ext.size() + data.size()), 4);
    le(uncompressed, 4);
    le(0, 4);       // time stamp
    le(0x0120, 2);  // attribute 0x20, level 1
    le(static_cast<std::uint32_t>(name.size()), 1);
    h.insert(h.end(), name.begin(), name.end());
    le(crc, 2);
    le(0x20, 1);  // operating system
    le(firstExt, 2);
    std::uint8_t sum = 0;
    for (auto b : h) sum = static_cast<std::uint8_t>(sum + b);
    Bytes out = {static_cast<std::uint8_t>(h.size()), sum};
    for (const Bytes* part : {&std::as_const(h), &ext, &data})
        out.insert(out.end(), part->begin(), part->end());
    out.push_back(0);  // end of archive
    return out;
}

}  // namespace lh5test
