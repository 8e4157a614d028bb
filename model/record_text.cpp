#include "model/record_text.h"

#include <cstdlib>

#include "model/field_table.h"
#include "model/text_format.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

// "19.2E" in the row, "19.2 E" (with the space) in the description.
std::string Position(const char* format, int longitude, int eastFrom) {
    const int mag = std::abs(longitude);
    return FormatText(format, mag / 10, mag % 10, longitude >= eastFrom ? 'E' : 'W');
}

std::string Tuning(const char* format, const RecordTextFacts& f) {
    return FormatText(format, static_cast<int>(f.frequency), f.polarisation,
                      static_cast<int>(f.symbolRate));
}

}  // namespace

std::string WholeName(const DatabaseLayout& layout, int kind, const Record& record) {
    const FieldSpec* name = NameField(FieldsOf(GenerationOf(layout), kind));
    return name ? FieldName(*name, record) : std::string();
}

bool NameIsRightToLeft(const DatabaseLayout& layout, int kind, const Record& record) {
    return text::IsRightToLeftName(WholeName(layout, kind, record));
}

std::vector<RowCell> RecordTextLayout::RowCells(int kind, int row, const Record& r) const {
    const RecordTextFacts f = TextFacts(kind, r);
    std::vector<RowCell> cells(1);
    switch (kind) {
        case kSatellite:
            cells.push_back({DisplayName(kind, r)});
            cells.push_back({f.terrestrial
                                 ? std::string("TERR")
                                 : Position("%d.%1d%c", f.longitude, style_.rowEastFrom)});
            break;
        case kTransponder: {
            const int frequency = static_cast<int>(f.frequency);
            cells.push_back({DisplayName(kind, r)});
            cells.push_back({f.symbolRate < style_.rowTenthsBelow
                                 ? FormatText("%5d.%1d", frequency / 10, frequency % 10)
                                 : Tuning("%5d/%c/%5d", f)});
            break;
        }
        case kTv:
        case kRadio:
            return ChannelRow(row, DisplayName(kind, r), f.locked, f.favorite, f.scrambled);
        case kFavorite:
            cells.push_back({DisplayName(kind, r)});
            break;
        default:
            break;
    }
    return cells;
}

std::string RecordTextLayout::PickListText(int kind, const Record& r) const {
    const std::string name = DisplayName(kind, r);
    const RecordTextFacts f = TextFacts(kind, r);
    switch (kind) {
        case kSatellite:
            return Position("%3d.%1d%c", f.longitude, style_.listEastFrom) + " - " + name;
        case kTransponder:
            if (f.symbolRate < style_.listFrequencyOnlyBelow)
                return FormatText("%5d - %s", static_cast<int>(f.frequency), name.c_str());
            return Tuning("%5d/%c/%5d", f) + " - " + name;
        default:
            return name;
    }
}

std::string RecordTextLayout::Describe(int kind, const Record& r) const {
    const std::string name = DisplayName(kind, r);
    const RecordTextFacts f = TextFacts(kind, r);
    switch (kind) {
        case kSatellite:
            return name + Position(" (%d.%1d %c)", f.longitude, style_.listEastFrom);
        case kTransponder:
            if (f.symbolRate < style_.listFrequencyOnlyBelow)
                return FormatText("%s - %5d", name.c_str(), static_cast<int>(f.frequency));
            return name + Tuning(" (%5d/%c/%5d)", f);
        case kTv:
            return name + " (TV)";
        case kRadio:
            return name + " (Radio)";
        default:
            return name;
    }
}

}  // namespace brondavel
