// The second-generation stored records (models 0 and 1) with an accessor per
// named field. Names are plain Windows-1256 bytes, NUL-terminated.
#pragma once

#include "model/channel_record_base.h"
#include "model/favorite_record.h"
#include "model/record_defaults.h"

namespace brondavel::gen2 {

struct SatelliteRecord : TypedRecord<60, 40, 20> {
    uint16_t positionCode() const { return U16(0); }
    void setPositionCode(uint16_t v) { SetU16(0, v); }
    int16_t longitude() const { return static_cast<int16_t>(U16(4)); }
    void setLongitude(int16_t v) { SetU16(4, static_cast<uint16_t>(v)); }
    uint16_t lnbPower() const { return U16(8); }
    void setLnbPower(uint16_t v) { SetU16(8, v); }
    uint32_t lnbType() const { return U32(12); }
    void setLnbType(uint32_t v) { SetU32(12, v); }
    uint32_t lnbHighFreq() const { return U32(16); }
    void setLnbHighFreq(uint32_t v) { SetU32(16, v); }
    uint32_t lnbLowFreq() const { return U32(20); }
    void setLnbLowFreq(uint32_t v) { SetU32(20, v); }
    uint16_t diseqcPort() const { return U16(24); }
    void setDiseqcPort(uint16_t v) { SetU16(24, v); }
    uint16_t diseqcVersion() const { return U16(26); }
    void setDiseqcVersion(uint16_t v) { SetU16(26, v); }
    uint16_t tone22k() const { return U16(30); }
    void setTone22k(uint16_t v) { SetU16(30, v); }
    uint16_t switch12V() const { return U16(32); }
    void setSwitch12V(uint16_t v) { SetU16(32, v); }

    // What the "New" command starts from.
    static SatelliteRecord Default(int satelliteCount) {
        return NewSatellite<SatelliteRecord>(satelliteCount);
    }
};

struct TransponderRecord : TypedRecord<32, 16, 16> {
    uint16_t satelliteRef() const { return U16(0); }
    void setSatelliteRef(uint16_t v) { SetU16(0, v); }
    uint16_t polarisation() const { return U16(2); }
    void setPolarisation(uint16_t v) { SetU16(2, v); }
    uint32_t frequency() const { return U32(4); }
    void setFrequency(uint32_t v) { SetU32(4, v); }
    uint32_t symbolRate() const { return U32(8); }
    void setSymbolRate(uint32_t v) { SetU32(8, v); }
    uint16_t fec() const { return U16(12); }
    void setFec(uint16_t v) { SetU16(12, v); }

    static TransponderRecord Default() {
        auto r = NewTransponder<TransponderRecord>();
        r.setSatelliteRef(kNone);
        return r;
    }
};

struct ServiceRecord : ChannelRecordBase<48, 32, 16, uint16_t, 0> {
    uint16_t flags() const { return U16(24); }
    void setFlags(uint16_t v) { SetU16(24, v); }
    bool hideAudio() const { return Bits(24, 2, 1); }
    void setHideAudio(bool v) { SetBitsAt(24, 2, 1, v); }
    // Conditional-access systems 0 to 10 (bit i = system i); no separate
    // scrambled bit in this generation.
    uint32_t accessSystems() const { return Bits(24, 5, 11); }
    void setAccessSystems(uint32_t v) { SetBitsAt(24, 5, 11, v); }

    static ServiceRecord Default() { return NewChannel<ServiceRecord>(); }
};

using brondavel::FavoriteRecord;

}  // namespace brondavel::gen2
