// The option tables of the record edit dialogs and the rules that tie their
// choices together: audio languages, LNB presets and enabling, DiSEqC ports.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/logic/option_table.h"

namespace brondavel::app {

// Longitude side. "Wast" is the receiver's own spelling and stays.
inline constexpr int kEast = 1, kWest = 2;
extern const OptionTable kEastWestOptions;
extern const OptionTable kLnbTypeOptions;
// Local oscillator frequencies, for both the high and the low choice.
extern const OptionTable kLocalFreqOptions;
extern const OptionTable kLnbPowerOptions;
extern const OptionTable kDiseqcVersionOptions;
extern const OptionTable kDiseqcPortV10Options;
extern const OptionTable kDiseqcPortV11Options;
extern const OptionTable kToneOptions;
extern const OptionTable kSwitch12VOptions;
extern const OptionTable kPolarizationOptions;
// 4 is no FEC the receiver knows.
extern const OptionTable kFecOptions;
extern const OptionTable kAudioModeOptions;
// 26 languages; "POLISH" appears twice (8 and 12), so 12 is shown as POLISH
// and saved back as 8.
extern const OptionTable kAudioLanguageOptions;

inline constexpr int kLnbSingle = 0, kLnbUniversal = 1, kLnbOcs = 2;
inline constexpr int kToneOff = 0, kToneAuto = 2;
inline constexpr int kUnknownLanguage = 127;
inline constexpr const char* kUnknownLanguageName = "UNKNOW";

// The label of the first row carrying `value`, or "UNKNOW".
std::string LanguageName(int value);
// The value of the first row labelled exactly `name`, or 127.
int LanguageValue(std::string_view name);

// The value of row `index`, or `fallback` when no such row (no selection).
int ValueAtRow(OptionTable table, int index, int fallback);

// The port table of a DiSEqC version: V1.1 offers 16 ports, anything else 4.
OptionTable DiseqcPortOptions(int version);

// What picking an LNB type sets the frequencies and the tone to.
struct LnbPreset {
    int highFreq;
    int lowFreq;
    int tone;
};
std::optional<LnbPreset> PresetForLnbType(int lnbType);

// Which of the two LNB-dependent choices can be changed for an LNB type.
struct LnbEnabling {
    bool tone;
    bool lowFreq;
};
LnbEnabling EnablingForLnbType(int lnbType);

}  // namespace brondavel::app
