// Record layout, image geometry and display rules of the second receiver
// generation (models 0 and 1).
#pragma once

#include "model/record_text.h"

namespace brondavel {

struct SecondGenImage {
    static constexpr size_t kSize = 364168;
    // Image offset and length of sections 0 to 5.
    static constexpr size_t kSectionOffset[6] = {352036, 288024, 0, 192012, 355888, 362620};
    static constexpr size_t kSectionLength[6] = {3852, 64012, 192012, 96012, 6732, 1548};
    static constexpr size_t kSectionHeader = 12;
    // The favourite group names inside section 5, 16 bytes each.
    static constexpr size_t kFavoriteNamesOffset = 362620 + 500;
    static constexpr size_t kFavoriteNameSize = 16;
};

class SecondGenLayout : public RecordTextLayout {
  public:
    SecondGenLayout();
    ::brondavel::Generation Generation() const override { return ::brondavel::Generation::kSecond; }
    uint16_t SatelliteRefOf(const Record& transponder) const override;
    void SetSatelliteRef(Record& transponder, uint16_t satellite) const override;
    Record NewRecord(int kind) const override;

    size_t ImageSize() const override { return SecondGenImage::kSize; }
    std::span<const ImageSection> Sections() const override;
    bool KeepsOrphans() const override { return false; }
    std::vector<Record> FavoritesFromImage(std::span<const uint8_t> image) const override;
    // Satellites without a position code take the code of the first other
    // satellite at the same longitude that has one.
    void FinishImage(std::span<uint8_t> image) const override;

    uint32_t FrequencyOf(const Record& transponder) const override;
    uint32_t AccessClassOf(const Record& channel) const override { return AccessClass(channel); }
    int AccessClassKeyCount() const override { return 12; }
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
