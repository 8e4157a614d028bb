// One state of a record list kept compactly against another state of the
// same list: each record is its id plus either the position of a partner
// record in the other state and the bytes that differ from it, or its whole
// stored part. A sort costs a few bytes per record, a cascade delete little
// more than the records it removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/record.h"

namespace brondavel {

class RecordsDelta {
  public:
    // `target` described against `base`; partnerOf[i] is the base position
    // target[i] is built from, or -1 for a record kept whole.
    static RecordsDelta Encode(const std::vector<Record>& target, const std::vector<Record>& base,
                               const std::vector<int>& partnerOf);
    // The target again, from the same base. `partnerOf`, when given, gets
    // the base position each record was built from (-1: kept whole).
    std::vector<Record> Decode(const std::vector<Record>& base,
                               std::vector<int>* partnerOf = nullptr) const;

    size_t Bytes() const { return data_.capacity() + sizeof *this; }

  private:
    std::vector<uint8_t> data_;
    uint32_t count_ = 0;
};

}  // namespace brondavel
