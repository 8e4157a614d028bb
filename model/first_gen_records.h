// The first-generation stored records with an accessor per named field.
#pragma once

#include "model/channel_record_base.h"
#include "model/favorite_record.h"
#include "model/record_defaults.h"

namespace brondavel {

struct SatelliteRecord : TypedRecord<44, 20, 24> {
    uint16_t typeCode() const { return U16(0); }
    void setTypeCode(uint16_t v) { SetU16(0, v); }
    int16_t longitude() const { return static_cast<int16_t>(U16(4)); }
    void setLongitude(int16_t v) { SetU16(4, static_cast<uint16_t>(v)); }
    uint32_t lnbWord() const { return U32(8); }
    uint32_t lnbType() const { return Bits(8, 0, 4); }
    void setLnbType(uint32_t v) { SetBitsAt(8, 0, 4, v); }
    uint32_t lnbHighFreq() const { return Bits(8, 4, 28); }
    void setLnbHighFreq(uint32_t v) { SetBitsAt(8, 4, 28, v); }
    uint32_t lnbLowWord() const { return U32(12); }
    uint32_t lnbLowFreq() const { return Bits(12, 0, 28); }
    void setLnbLowFreq(uint32_t v) { SetBitsAt(12, 0, 28, v); }
    uint32_t switchWord() const { return U32(16); }
    void setSwitchWord(uint32_t v) { SetU32(16, v); }
    uint32_t diseqcVersion() const { return Bits(16, 2, 1); }
    void setDiseqcVersion(uint32_t v) { SetBitsAt(16, 2, 1, v); }
    uint32_t diseqcPort() const { return Bits(16, 3, 5); }
    void setDiseqcPort(uint32_t v) { SetBitsAt(16, 3, 5, v); }
    uint32_t tone22k() const { return Bits(16, 17, 2); }
    void setTone22k(uint32_t v) { SetBitsAt(16, 17, 2, v); }
    uint32_t lnbPower() const { return Bits(16, 26, 2); }
    void setLnbPower(uint32_t v) { SetBitsAt(16, 26, 2, v); }

    bool IsTerrestrial() const { return typeCode() >= 4000 && typeCode() <= 4064; }

    // What the "New" command starts from.
    static SatelliteRecord Default(int satelliteCount) {
        auto r = NewSatellite<SatelliteRecord>(satelliteCount);
        r.setTypeCode(3999);
        return r;
    }
};

struct TransponderRecord : TypedRecord<24, 8, 16> {
    uint32_t tpWord() const { return U32(0); }
    uint32_t satelliteRef() const { return Bits(0, 0, 12); }
    void setSatelliteRef(uint32_t v) { SetBitsAt(0, 0, 12, v); }
    uint32_t frequency() const { return Bits(0, 12, 20); }
    void setFrequency(uint32_t v) { SetBitsAt(0, 12, 20, v); }
    uint32_t modWord() const { return U32(4); }
    uint32_t symbolRate() const { return Bits(4, 0, 20); }
    void setSymbolRate(uint32_t v) { SetBitsAt(4, 0, 20, v); }
    uint32_t polarisation() const { return Bits(4, 20, 4); }
    void setPolarisation(uint32_t v) { SetBitsAt(4, 20, 4, v); }
    uint32_t fec() const { return Bits(4, 24, 4); }
    void setFec(uint32_t v) { SetBitsAt(4, 24, 4, v); }

    static TransponderRecord Default() { return NewTransponder<TransponderRecord>(); }
};

// Conditional-access systems, bit 4+i of a first-generation channel's flags.
inline constexpr const char* kAccessSystemNames[11] = {"VIACCESS", "IRDETO", "BETACRYPT",  "NAGRA",
                                                       "SECA",     "CONAX",  "CRYPTWORKS", "NDS",
                                                       "BISS",     "XCRYPT", "3RDCAS"};

struct ServiceRecord : ChannelRecordBase<56, 32, 24, uint32_t, 12> {
    uint32_t flags() const { return U32(24); }
    void setFlags(uint32_t v) { SetU32(24, v); }
    bool scrambled() const { return Bits(24, 3, 1); }
    void setScrambled(bool v) { SetBitsAt(24, 3, 1, v); }
    uint32_t accessSystems() const { return Bits(24, 4, 11); }
    void setAccessSystems(uint32_t v) { SetBitsAt(24, 4, 11, v); }
    bool hideAudio() const { return Bits(24, 18, 1); }
    void setHideAudio(bool v) { SetBitsAt(24, 18, 1, v); }
    uint32_t audioIndex() const { return Bits(24, 19, 6); }
    void setAudioIndex(uint32_t v) { SetBitsAt(24, 19, 6, v); }
    uint32_t modeWord() const { return U32(28); }
    void setModeWord(uint32_t v) { SetU32(28, v); }
    uint32_t audioMode() const { return Bits(28, 0, 4); }
    void setAudioMode(uint32_t v) { SetBitsAt(28, 0, 4, v); }

    static ServiceRecord Default() { return NewChannel<ServiceRecord>(); }
};

}  // namespace brondavel
