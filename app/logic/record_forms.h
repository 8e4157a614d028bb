// What the edit dialogs show of a record, as plain values, and how the
// entries go back into the record. One form per dialog serves both receiver
// generations; option fields hold stored values (the dialog selects the
// first row that carries one), names are UTF-8 display text. Only the fields
// whose entry differs from what was shown are written, so every bit the user
// did not touch stays as loaded; names go through the core's naming rule
// (model/record_rename), not through these forms.
#pragma once

#include <bitset>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "app/logic/record_options.h"
#include "model/first_gen_records.h"
#include "model/second_gen_records.h"

namespace brondavel::app {

struct SatelliteForm {
    std::string name;
    std::string degree;
    int side = kEast;
    int lnbType = 0;
    int lnbHighFreq = 0;
    int lnbLowFreq = 0;
    int lnbPower = 0;
    int diseqcVersion = 0;
    int diseqcPort = 0;
    int tone22k = 0;
    int switch12V = 0;  // second generation only
};

struct TransponderForm {
    std::string name;
    std::string frequency;
    std::string symbolRate;
    int polarisation = 0;
    int fec = 0;
    int satelliteRef = 0;  // position in the satellite pick list
};

inline constexpr const char* kAc3On = "O";
inline constexpr const char* kAc3Off = "X";
inline constexpr int kAudioSlots = 4;
inline constexpr size_t kAccessSystemCount = std::size(kAccessSystemNames);
inline constexpr size_t kFavoriteGroupCount = 16;

// One row of the audio list as its cells read.
struct AudioRow {
    std::string pid;
    std::string language;
    bool ac3 = false;
    bool operator==(const AudioRow&) const = default;
};

struct ChannelForm {
    std::string name;
    std::string videoPid;
    std::string pcrPid;
    std::string pmtPid;
    std::string teletextPid;
    std::string serviceId;
    bool locked = false;
    // False when the record asks for its audio entries to stay out of the
    // list; they are then kept unless the user lists new ones.
    bool audioListed = true;
    std::vector<AudioRow> audio;
    int audioMode = 0;
    std::bitset<kAccessSystemCount> accessSystems;  // system i of kAccessSystemNames
    std::bitset<kFavoriteGroupCount> favorites;
    int transponderRef = 0;  // position in the transponder pick list
};

// `shown` is what ReadForm gave for the record; the fields of `entered` that
// differ from it are written into `record`, the name aside.
SatelliteForm ReadForm(const SatelliteRecord& record);
SatelliteForm ReadForm(const gen2::SatelliteRecord& record);
void WriteForm(const SatelliteForm& entered, const SatelliteForm& shown, SatelliteRecord& record);
void WriteForm(const SatelliteForm& entered, const SatelliteForm& shown,
               gen2::SatelliteRecord& record);

TransponderForm ReadForm(const TransponderRecord& record);
TransponderForm ReadForm(const gen2::TransponderRecord& record);
void WriteForm(const TransponderForm& entered, const TransponderForm& shown,
               TransponderRecord& record);
void WriteForm(const TransponderForm& entered, const TransponderForm& shown,
               gen2::TransponderRecord& record);

ChannelForm ReadForm(const ServiceRecord& record);
ChannelForm ReadForm(const gen2::ServiceRecord& record);
void WriteForm(const ChannelForm& entered, const ChannelForm& shown, ServiceRecord& record);
void WriteForm(const ChannelForm& entered, const ChannelForm& shown, gen2::ServiceRecord& record);

}  // namespace brondavel::app
