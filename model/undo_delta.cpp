#include "model/undo_delta.h"

namespace brondavel {

namespace {

constexpr uint16_t kWhole = 0xFFFF;
// Differing bytes closer than this share one run: a run header costs 2.
constexpr size_t kRunGap = 3;

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

uint16_t GetU16(const uint8_t*& p) {
    const uint16_t v = static_cast<uint16_t>(p[0] | (p[1] << 8));
    p += 2;
    return v;
}

}  // namespace

RecordsDelta RecordsDelta::Encode(const std::vector<Record>& target,
                                  const std::vector<Record>& base,
                                  const std::vector<int>& partnerOf) {
    RecordsDelta delta;
    delta.count_ = static_cast<uint32_t>(target.size());
    std::vector<uint8_t>& out = delta.data_;
    out.reserve(target.size() * 5);
    for (size_t i = 0; i < target.size(); ++i) {
        const Record& t = target[i];
        const int p = i < partnerOf.size() ? partnerOf[i] : -1;
        PutU16(out, t.id);
        if (p < 0 || p >= static_cast<int>(base.size()) || p >= kWhole || base[p].size != t.size) {
            PutU16(out, kWhole);
            out.push_back(t.size);
            out.insert(out.end(), t.data(), t.data() + t.size);
            continue;
        }
        PutU16(out, static_cast<uint16_t>(p));
        const size_t runCountAt = out.size();
        out.push_back(0);
        const uint8_t* a = t.data();
        const uint8_t* b = base[p].data();
        size_t k = 0;
        uint8_t runs = 0;
        while (k < t.size) {
            if (a[k] == b[k]) {
                ++k;
                continue;
            }
            size_t end = k + 1, last = k;
            while (end < t.size && end - last <= kRunGap) {
                if (a[end] != b[end]) last = end;
                ++end;
            }
            const size_t length = last + 1 - k;
            out.push_back(static_cast<uint8_t>(k));
            out.push_back(static_cast<uint8_t>(length));
            out.insert(out.end(), a + k, a + k + length);
            ++runs;
            k = last + 1;
        }
        out[runCountAt] = runs;
    }
    out.shrink_to_fit();
    return delta;
}

std::vector<Record> RecordsDelta::Decode(const std::vector<Record>& base,
                                         std::vector<int>* partnerOf) const {
    std::vector<Record> records(count_);
    if (partnerOf) partnerOf->assign(count_, -1);
    const uint8_t* p = data_.data();
    for (uint32_t i = 0; i < count_; ++i) {
        Record& r = records[i];
        const uint16_t id = GetU16(p);
        const uint16_t partner = GetU16(p);
        r.id = id;
        if (partner == kWhole) {
            r.size = *p++;
            std::copy(p, p + r.size, r.bytes.begin());
            p += r.size;
            continue;
        }
        r = base[partner];
        r.id = id;
        if (partnerOf) (*partnerOf)[i] = partner;
        const uint8_t runs = *p++;
        for (uint8_t n = 0; n < runs; ++n) {
            const uint8_t offset = p[0], length = p[1];
            p += 2;
            std::copy(p, p + length, r.bytes.begin() + offset);
            p += length;
        }
    }
    return records;
}

}  // namespace brondavel
