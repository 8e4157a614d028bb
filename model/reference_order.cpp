#include "model/reference_order.h"

#include <algorithm>

#include "model/record_identity.h"

namespace brondavel {

ReferenceOrderResult ApplyReferenceOrder(DatabaseEngine& db, const DatabaseEngine& reference,
                                         bool favorites) {
    ReferenceOrderResult result;
    db.BeginUndoGroup();
    for (int kind : {kTv, kRadio}) {
        const RecordMatching m =
            MatchRecords(kind, IdentitiesOf(db, kind), IdentitiesOf(reference, kind));
        result.byKey += m.byKey;
        result.byName += m.byName;
        result.unmatched += m.unmatched;

        const std::vector<Record>& current = db.list(kind).records();
        const std::vector<Record>& theirs = reference.list(kind).records();
        const std::vector<int> positions = OrderByPartner(m.partnerOf);
        std::vector<Record> arranged;
        arranged.reserve(current.size());
        for (int p : positions) {
            Record r = current[p];
            if (favorites && m.partnerOf[p] >= 0) {
                const Record& partner = theirs[m.partnerOf[p]];
                for (int group = 0; group < 16; ++group)
                    db.layout().SetFavoriteMember(
                        r, group, reference.layout().IsFavoriteMember(partner, group));
            }
            arranged.push_back(r);
        }
        db.RearrangeList(kind, std::move(arranged), "Apply Order");
    }
    db.EndUndoGroup("Apply Order");
    return result;
}

}  // namespace brondavel
