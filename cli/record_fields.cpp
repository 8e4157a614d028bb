#include "cli/record_fields.h"

#include <cstdio>

#include "model/first_gen_records.h"
#include "model/second_gen_records.h"
#include "text/conexant_text.h"

namespace brondavel::cli {

namespace {

std::string Hex(const uint8_t* p, size_t n) {
    std::string out;
    char b[3];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02x", p[i]);
        out += b;
    }
    return out;
}

// Name bytes up to the NUL, as stored and as text.
void AddName(nlohmann::json& j, const uint8_t* field, size_t size, bool receiverText) {
    size_t n = 0;
    while (n < size && field[n]) ++n;
    j["name"] = receiverText
                    ? text::NameToDisplay(field, size)
                    : text::AnsiToUtf8(std::string(reinterpret_cast<const char*>(field), n));
    j["nameBytes"] = Hex(field, n);
}

// The fields both generations keep in a channel's first 24 bytes.
template <typename Channel>
void AddChannelHead(nlohmann::json& j, const Channel& c) {
    j["transponderRef"] = c.transponderRef();
    j["serviceId"] = c.serviceId();
    j["pmtPid"] = c.pmtPid();
    j["pcrPid"] = c.pcrPid();
    j["videoPid"] = c.videoPid();
    j["teletextPid"] = c.teletextPid();
    j["audio"] = {c.audio(0), c.audio(1), c.audio(2), c.audio(3)};
    j["audioLanguage"] = {c.audioLanguage(0), c.audioLanguage(1), c.audioLanguage(2),
                          c.audioLanguage(3)};
}

nlohmann::json FirstGenFields(int kind, const Record& r) {
    nlohmann::json j;
    switch (kind) {
        case kSatellite: {
            SatelliteRecord s;
            s.FromRecord(r);
            j["typeCode"] = s.typeCode();
            j["longitude"] = s.longitude();
            j["lnbType"] = s.lnbType();
            j["lnbHighFreq"] = s.lnbHighFreq();
            j["lnbLowFreq"] = s.lnbLowFreq();
            j["switchWord"] = s.switchWord();
            j["diseqcVersion"] = s.diseqcVersion();
            j["diseqcPort"] = s.diseqcPort();
            j["tone22k"] = s.tone22k();
            j["lnbPower"] = s.lnbPower();
            AddName(j, s.stored.data() + SatelliteRecord::kNameOffset, SatelliteRecord::kNameSize,
                    true);
            break;
        }
        case kTransponder: {
            TransponderRecord t;
            t.FromRecord(r);
            j["satelliteRef"] = t.satelliteRef();
            j["frequency"] = t.frequency();
            j["symbolRate"] = t.symbolRate();
            j["polarisation"] = t.polarisation();
            j["fec"] = t.fec();
            AddName(j, t.stored.data() + TransponderRecord::kNameOffset,
                    TransponderRecord::kNameSize, true);
            break;
        }
        case kTv:
        case kRadio: {
            ServiceRecord c;
            c.FromRecord(r);
            AddChannelHead(j, c);
            j["flags"] = c.flags();
            j["locked"] = c.locked();
            j["scrambled"] = c.scrambled();
            j["audioIndex"] = c.audioIndex();
            j["modeWord"] = c.modeWord();
            j["audioMode"] = c.audioMode();
            j["favoriteMask"] = c.favoriteMask();
            AddName(j, c.stored.data() + ServiceRecord::kNameOffset, ServiceRecord::kNameSize,
                    true);
            break;
        }
        case kFavorite: {
            AddName(j, r.data(), 16, false);
            break;
        }
        default:
            break;
    }
    return j;
}

// Second-generation names are plain Windows-1256 bytes.
nlohmann::json SecondGenFields(int kind, const Record& r) {
    nlohmann::json j;
    switch (kind) {
        case kSatellite: {
            gen2::SatelliteRecord s;
            s.FromRecord(r);
            j["positionCode"] = s.positionCode();
            j["longitude"] = s.longitude();
            j["lnbPower"] = s.lnbPower();
            j["lnbType"] = s.lnbType();
            j["lnbHighFreq"] = s.lnbHighFreq();
            j["lnbLowFreq"] = s.lnbLowFreq();
            j["diseqcPort"] = s.diseqcPort();
            j["diseqcVersion"] = s.diseqcVersion();
            j["tone22k"] = s.tone22k();
            j["switch12V"] = s.switch12V();
            AddName(j, s.stored.data() + gen2::SatelliteRecord::kNameOffset,
                    gen2::SatelliteRecord::kNameSize, false);
            break;
        }
        case kTransponder: {
            gen2::TransponderRecord t;
            t.FromRecord(r);
            j["satelliteRef"] = t.satelliteRef();
            j["polarisation"] = t.polarisation();
            j["frequency"] = t.frequency();
            j["symbolRate"] = t.symbolRate();
            j["fec"] = t.fec();
            AddName(j, t.stored.data() + gen2::TransponderRecord::kNameOffset,
                    gen2::TransponderRecord::kNameSize, false);
            break;
        }
        case kTv:
        case kRadio: {
            gen2::ServiceRecord c;
            c.FromRecord(r);
            AddChannelHead(j, c);
            j["flags"] = c.flags();
            j["locked"] = c.locked();
            j["accessSystems"] = c.accessSystems();
            j["favoriteMask"] = c.favoriteMask();
            AddName(j, c.stored.data() + gen2::ServiceRecord::kNameOffset,
                    gen2::ServiceRecord::kNameSize, false);
            break;
        }
        case kFavorite:
            AddName(j, r.data(), 16, false);
            break;
        default:
            break;
    }
    return j;
}

}  // namespace

nlohmann::json RecordFields(int model, int kind, const Record& record) {
    return model == 0 || model == 1 ? SecondGenFields(kind, record) : FirstGenFields(kind, record);
}

}  // namespace brondavel::cli
