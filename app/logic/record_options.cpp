#include "app/logic/record_options.h"

namespace brondavel::app {

namespace {

constexpr OptionRow kEastWest[] = {{"East", kEast}, {"Wast", kWest}};
constexpr OptionRow kLnbType[] = {
    {"Single", kLnbSingle}, {"Universal", kLnbUniversal}, {"OCS", kLnbOcs}};
constexpr OptionRow kLocalFreq[] = {{"5150", 5150},   {"5750", 5750},   {"9750", 9750},
                                    {"10600", 10600}, {"10700", 10700}, {"11250", 11250}};
constexpr OptionRow kLnbPower[] = {{"OFF", 0}, {"ON", 3}, {"13V", 1}, {"18V", 2}};
constexpr OptionRow kDiseqcVersion[] = {{"V1.0", 0}, {"V1.1", 1}};
constexpr OptionRow kDiseqcPortV10[] = {
    {"OFF", 0}, {"P - 1", 1}, {"P - 2", 2}, {"P - 3", 3}, {"P - 4", 4}};
constexpr OptionRow kDiseqcPortV11[] = {
    {"OFF", 0},     {"P - 1", 1},   {"P - 2", 2},   {"P - 3", 3},   {"P - 4", 4},   {"P - 5", 5},
    {"P - 6", 6},   {"P - 7", 7},   {"P - 8", 8},   {"P - 9", 9},   {"P - 10", 10}, {"P - 11", 11},
    {"P - 12", 12}, {"P - 13", 13}, {"P - 14", 14}, {"P - 15", 15}, {"P - 16", 16}};
constexpr OptionRow kTone[] = {{"OFF", kToneOff}, {"ON", 1}, {"Auto", kToneAuto}};
constexpr OptionRow kSwitch12V[] = {{"0 V", 0}, {"12 V", 1}};
constexpr OptionRow kPolarization[] = {{"H", 2}, {"V", 1}};
constexpr OptionRow kFec[] = {{"Auto", 0}, {"1/2", 1}, {"2/3", 2}, {"3/4", 3},
                              {"5/6", 5},  {"6/7", 6}, {"7/8", 7}};
constexpr OptionRow kAudioMode[] = {{"Stereo", 0}, {"Left", 1}, {"Right", 2}, {"Mono", 3}};
constexpr OptionRow kAudioLanguage[] = {
    {kUnknownLanguageName, kUnknownLanguage},
    {"ENGLISH", 0},
    {"SPANISH", 1},
    {"ITALIAN", 2},
    {"FRENCH", 3},
    {"GERMAN", 4},
    {"TURKISH", 5},
    {"ARABIC", 6},
    {"DUTCH", 7},
    {"POLISH", 8},
    {"RUSSIAN", 9},
    {"HUNGARIAN", 10},
    {"GREEK", 11},
    {"POLISH", 12},
    {"SWEDISH", 13},
    {"DANISH", 14},
    {"BULGA", 15},
    {"CZECH", 16},
    {"FINNISH", 17},
    {"NORWE", 18},
    {"ICELAND", 19},
    {"LATIN", 20},
    {"PERSIAN", 21},
    {"ROMANIAN", 22},
    {"CATALAN", 23},
    {"ESTONIAN", 24},
};

}  // namespace

const OptionTable kEastWestOptions{kEastWest};
const OptionTable kLnbTypeOptions{kLnbType};
const OptionTable kLocalFreqOptions{kLocalFreq};
const OptionTable kLnbPowerOptions{kLnbPower};
const OptionTable kDiseqcVersionOptions{kDiseqcVersion};
const OptionTable kDiseqcPortV10Options{kDiseqcPortV10};
const OptionTable kDiseqcPortV11Options{kDiseqcPortV11};
const OptionTable kToneOptions{kTone};
const OptionTable kSwitch12VOptions{kSwitch12V};
const OptionTable kPolarizationOptions{kPolarization};
const OptionTable kFecOptions{kFec};
const OptionTable kAudioModeOptions{kAudioMode};
const OptionTable kAudioLanguageOptions{kAudioLanguage};

std::string LanguageName(int value) {
    const int row = FirstRowWithValue(kAudioLanguageOptions, value);
    return row < 0 ? kUnknownLanguageName : kAudioLanguageOptions[row].label;
}

int LanguageValue(std::string_view name) {
    for (const OptionRow& row : kAudioLanguageOptions)
        if (name == row.label) return row.value;
    return kUnknownLanguage;
}

int ValueAtRow(OptionTable table, int index, int fallback) {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? table[index].value : fallback;
}

OptionTable DiseqcPortOptions(int version) {
    return version == 1 ? kDiseqcPortV11Options : kDiseqcPortV10Options;
}

std::optional<LnbPreset> PresetForLnbType(int lnbType) {
    switch (lnbType) {
        case kLnbSingle:
            return LnbPreset{5150, 5150, kToneOff};
        case kLnbUniversal:
            return LnbPreset{10600, 9750, kToneAuto};
        case kLnbOcs:
            return LnbPreset{5150, 5750, kToneOff};
        default:
            return std::nullopt;
    }
}

LnbEnabling EnablingForLnbType(int lnbType) {
    switch (lnbType) {
        case kLnbSingle:
            return {true, false};
        case kLnbUniversal:
            return {false, true};
        default:
            // OCS, and a stored type no row shows: nothing is locked away.
            return {true, true};
    }
}

}  // namespace brondavel::app
