#include "model/transponder_naming.h"

#include <algorithm>
#include <map>

namespace brondavel {

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The name with its frequency replaced by {F} and a polarisation letter
// standing alone by {P}; empty when the frequency is not in it.
std::string FrequencyPattern(const NamedTransponder& t) {
    const std::string f = std::to_string(t.frequency);
    std::string name = t.name;
    const size_t at = name.find(f);
    if (at == std::string::npos) return {};
    name.replace(at, f.size(), "{F}");
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != t.polarisation && name[i] != t.polarisation + ('a' - 'A')) continue;
        const bool alone =
            (i == 0 || !IsLetter(name[i - 1])) && (i + 1 == name.size() || !IsLetter(name[i + 1]));
        if (alone) {
            name.replace(i, 1, name[i] >= 'a' ? "{p}" : "{P}");
            break;
        }
    }
    return name;
}

}  // namespace

TransponderNaming::TransponderNaming(const std::vector<NamedTransponder>& existing) {
    if (existing.empty()) return;
    const size_t half = (existing.size() + 1) / 2;
    std::map<std::string, size_t> patterns, prefixes, names;
    long highest = 0;
    for (const NamedTransponder& t : existing) {
        const std::string p = FrequencyPattern(t);
        if (!p.empty()) ++patterns[p];
        ++names[t.name];
        // A running number at the end.
        size_t digits = t.name.size();
        while (digits > 0 && t.name[digits - 1] >= '0' && t.name[digits - 1] <= '9') --digits;
        if (digits < t.name.size() && t.name.size() - digits <= 6) {
            ++prefixes[t.name.substr(0, digits)];
            highest = std::max(highest, std::stol(t.name.substr(digits)));
        }
    }
    auto most = [](const std::map<std::string, size_t>& m) {
        return std::max_element(m.begin(), m.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; });
    };
    if (!patterns.empty() && most(patterns)->second >= half) {
        pattern_ = most(patterns)->first;
    } else if (!prefixes.empty() && most(prefixes)->second >= half) {
        style_ = Style::kNumbered;
        prefix_ = most(prefixes)->first;
        next_ = highest + 1;
    } else if (most(names)->second >= half) {
        style_ = Style::kConstant;
        prefix_ = most(names)->first;
    }
}

std::string TransponderNaming::NameFor(uint32_t frequency, char polarisation) {
    switch (style_) {
        case Style::kNumbered:
            return prefix_ + std::to_string(next_++);
        case Style::kConstant:
            return prefix_;
        case Style::kFrequency:
            break;
    }
    std::string name = pattern_;
    auto put = [&name](const std::string& mark, const std::string& value) {
        const size_t at = name.find(mark);
        if (at != std::string::npos) name.replace(at, mark.size(), value);
    };
    put("{F}", std::to_string(frequency));
    put("{P}", std::string(1, polarisation));
    put("{p}", std::string(1, static_cast<char>(polarisation + ('a' - 'A'))));
    return name;
}

}  // namespace brondavel
