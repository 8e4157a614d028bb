// Which records name which: a transponder names its satellite, a channel its
// transponder. The rules that follow from it are written here once: cascading
// deletes, references and key filters that follow renumbered parents, and
// orphans, whose reference names no record.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/database_layout.h"
#include "model/record_list.h"

namespace brondavel {

// The kind a record of `kind` names: kSatellite for transponders,
// kTransponder for channels, -1 for the others.
int ParentKind(int kind);
// The kinds whose records name a record of `kind`.
std::span<const int> ChildKinds(int kind);

// Per kind 0-3, ids of records.
using IdsByKind = std::array<std::vector<uint16_t>, 4>;

class RecordGraph {
  public:
    explicit RecordGraph(const DatabaseLayout& layout) : layout_(layout) {}

    // The id of the parent; kNone for a kind without one.
    uint16_t ParentRef(int kind, const Record& record) const;
    void SetParentRef(int kind, Record& record, uint16_t parent) const;
    // A record whose parent does not exist (a file may hold such orphans).
    bool IsOrphan(const RecordLists& lists, int kind, const Record& record) const;

    // `ids` of `kind` and, per kind, every record below them.
    IdsByKind WithDescendants(const RecordLists& lists, int kind,
                              const std::vector<uint16_t>& ids) const;
    // After the records of `parentKind` were renumbered by `map` (old id ->
    // new id): the children's references, clipboards and key filters follow.
    // An orphan's reference names no record and is left exactly as it was.
    void FollowRenumbered(RecordLists& lists, int parentKind,
                          const std::vector<uint16_t>& map) const;
    // After undo or redo gave the records of `parentKind` other ids: the
    // children's key filters follow (their records come back as they were).
    static void FollowRestoredIds(RecordLists& lists, int parentKind,
                                  const std::vector<uint16_t>& map);

  private:
    const DatabaseLayout& layout_;
};

}  // namespace brondavel
