// What a channel record lays out alike in both receiver generations: the
// first 24 bytes (transponder, service, PIDs, audio entries and languages),
// the lock, and the favourite-group memberships, 16 bits of the word at
// offset 28 from bit FavoriteFirstBit (group g is bit g).
#pragma once

#include "model/typed_record.h"

namespace brondavel {

template <size_t N, size_t NameOffset, size_t NameSize, typename FavoriteMask,
          unsigned FavoriteFirstBit>
struct ChannelRecordBase : TypedRecord<N, NameOffset, NameSize> {
    uint16_t transponderRef() const { return this->U16(0); }
    void setTransponderRef(uint16_t v) { this->SetU16(0, v); }
    uint16_t serviceId() const { return this->U16(2); }
    void setServiceId(uint16_t v) { this->SetU16(2, v); }
    uint16_t pmtPid() const { return this->U16(4); }
    void setPmtPid(uint16_t v) { this->SetU16(4, v); }
    uint16_t pcrPid() const { return this->U16(6); }
    void setPcrPid(uint16_t v) { this->SetU16(6, v); }
    uint16_t videoPid() const { return this->U16(8); }
    void setVideoPid(uint16_t v) { this->SetU16(8, v); }
    uint16_t teletextPid() const { return this->U16(10); }
    void setTeletextPid(uint16_t v) { this->SetU16(10, v); }
    // Four audio entries: PID in bits 0-12, AC3 flag in bit 14.
    uint16_t audio(int i) const { return this->U16(12 + 2 * i); }
    void setAudio(int i, uint16_t v) { this->SetU16(12 + 2 * i, v); }
    uint16_t audioPid(int i) const { return audio(i) & 0x1FFF; }
    void setAudioPid(int i, uint16_t pid) {
        setAudio(i, static_cast<uint16_t>((audio(i) & ~0x1FFF) | (pid & 0x1FFF)));
    }
    bool audioAc3(int i) const { return (audio(i) >> 14) & 1; }
    void setAudioAc3(int i, bool on) {
        setAudio(i, static_cast<uint16_t>(on ? audio(i) | 0x4000 : audio(i) & ~0x4000));
    }
    bool audioEmpty(int i) const { return audioPid(i) == 0 || audioPid(i) == 0x1FFF; }
    uint8_t audioLanguage(int i) const { return this->stored[20 + i]; }
    void setAudioLanguage(int i, uint8_t v) { this->stored[20 + i] = v; }
    // Bit 0 of the flags at offset 24.
    bool locked() const { return this->Bits(24, 0, 1); }
    void setLocked(bool v) { this->SetBitsAt(24, 0, 1, v); }

    FavoriteMask favoriteMask() const {
        return static_cast<FavoriteMask>(this->Bits(28, FavoriteFirstBit, 16));
    }
    void setFavoriteMask(FavoriteMask v) { this->SetBitsAt(28, FavoriteFirstBit, 16, v); }
    bool inFavorite(int group) const { return (favoriteMask() >> group) & 1; }
    void setInFavorite(int group, bool on) {
        const auto bit = static_cast<FavoriteMask>(1u << group);
        setFavoriteMask(
            static_cast<FavoriteMask>(on ? favoriteMask() | bit : favoriteMask() & ~bit));
    }
};

}  // namespace brondavel
