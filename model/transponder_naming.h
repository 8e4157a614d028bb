// Names for new transponders that follow how a list already names its own:
// after their frequency ("11747 V", "TP 11747"), by a running number
// ("TP 7"), or all alike ("User").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brondavel {

struct NamedTransponder {
    std::string name;  // UTF-8
    uint32_t frequency = 0;
    char polarisation = 'H';  // 'V' or 'H'
};

class TransponderNaming {
  public:
    explicit TransponderNaming(const std::vector<NamedTransponder>& existing);
    std::string NameFor(uint32_t frequency, char polarisation);

  private:
    enum class Style { kFrequency, kNumbered, kConstant };
    Style style_ = Style::kFrequency;
    std::string pattern_ = "{F} {P}";  // kFrequency: {F} frequency, {P} polarisation
    std::string prefix_;               // kNumbered, kConstant
    long next_ = 1;
};

}  // namespace brondavel
