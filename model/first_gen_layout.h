// Record layout, image geometry and display rules of the first receiver
// generation (model 2).
#pragma once

#include "model/record_text.h"

namespace brondavel {

struct FirstGenImage {
    static constexpr size_t kSize = 309468;
    static constexpr size_t kSection4Offset = 309424;
    static constexpr size_t kSection4Size = 44;
    static constexpr uint16_t kSection4Magic = 0x81DB;
    // A file keeps only 1096 radio channels whole: its fifth region starts
    // inside the radio section (see ChannelDataFile).
    static constexpr int kRadioFileCapacity = 1096;
};

class FirstGenLayout : public RecordTextLayout {
  public:
    FirstGenLayout();
    ::brondavel::Generation Generation() const override { return ::brondavel::Generation::kFirst; }
    uint16_t SatelliteRefOf(const Record& transponder) const override;
    void SetSatelliteRef(Record& transponder, uint16_t satellite) const override;
    Record NewRecord(int kind) const override;

    size_t ImageSize() const override { return FirstGenImage::kSize; }
    std::span<const ImageSection> Sections() const override;
    bool KeepsOrphans() const override { return true; }
    std::vector<Record> FavoritesFromImage(std::span<const uint8_t> image) const override;

    uint32_t FrequencyOf(const Record& transponder) const override;
    uint32_t AccessClassOf(const Record& channel) const override { return AccessClass(channel); }
    int AccessClassKeyCount() const override { return 13; }
    std::string DisplayName(int kind, const Record& record) const override;
    void StoreNameText(int kind, Record& record, std::string_view utf8) const override;
    bool IsFavoriteMember(const Record& channel, int group) const override;
    void SetFavoriteMember(Record& channel, int group, bool member) const override;

    // The "Scramble" class of a channel (see SortFor).
    static uint32_t AccessClass(const Record& channel);

  protected:
    RecordTextFacts TextFacts(int kind, const Record& record) const override;
};

}  // namespace brondavel
