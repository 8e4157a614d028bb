#include "model/database_convert.h"

namespace brondavel {

std::string ListLabel(int kind) {
    static const char* labels[] = {"satellite list", "transponder list", "TV channel list",
                                   "radio channel list"};
    return kind >= 0 && kind < 4 ? labels[kind] : "list";
}

bool ConvertDatabase(const DatabaseEngine& from, DatabaseEngine& to, ConversionLosses& losses,
                     std::string& error) {
    for (int kind = 0; kind < 4; ++kind) {
        const int count = from.list(kind).Count();
        const int room = to.layout().EditCapacity(kind);
        if (count > room) {
            error = "the " + ListLabel(kind) + " holds " + std::to_string(count) +
                    " records; the target holds at most " + std::to_string(room);
            return false;
        }
    }
    ConversionLosses found;
    std::array<std::vector<Record>, 4> converted;
    for (int kind = 0; kind < 4; ++kind)
        for (const Record& r : from.list(kind).records())
            converted[kind].push_back(ConvertRecord(kind, from.layout(), to.layout(), r, found));
    for (int kind = 0; kind < 4; ++kind)
        to.AddRecords(kind, nullptr, converted[kind].data(),
                      static_cast<int>(converted[kind].size()));
    to.UpdateActiveMarks();
    to.modified = 1;
    losses = std::move(found);
    return true;
}

}  // namespace brondavel
