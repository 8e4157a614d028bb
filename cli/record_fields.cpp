#include "cli/record_fields.h"

#include "model/field_table.h"

namespace brondavel::cli {

nlohmann::json RecordFields(int model, int kind, const Record& record) {
    nlohmann::json j = nlohmann::json::object();
    for (const FieldSpec& f : FieldsOf(GenerationOfModel(model), kind)) {
        if (f.IsName()) {
            j["name"] = FieldName(f, record);
            j["nameBytes"] = NameBytesHex(f, record);
            continue;
        }
        auto value = [&](int i) -> nlohmann::json {
            const int64_t v = FieldNumber(f, record, i);
            if (f.show == FieldShow::kFlag) return v != 0;
            return v;
        };
        if (f.count == 1) {
            j[f.name] = value(0);
        } else {
            nlohmann::json values = nlohmann::json::array();
            for (int i = 0; i < f.count; ++i) values.push_back(value(i));
            j[f.name] = values;
        }
    }
    return j;
}

}  // namespace brondavel::cli
