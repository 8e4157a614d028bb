#include "files/reference_list.h"

#include <algorithm>

#include "files/read_file.h"

namespace brondavel {

namespace {

constexpr size_t kMaxListBytes = size_t{4} << 20;
constexpr const char* kHeader = "number;name;ONID-TSID-SID";

bool Digits(std::string_view s) {
    return !s.empty() && s.size() <= 9 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

long ToNumber(std::string_view s) {
    long v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// "ONID-TSID-SID", each part a 16-bit number.
bool ParseIds(std::string_view s, ReferenceEntry& e) {
    uint16_t parts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t dash = i < 2 ? s.find('-') : s.size();
        if (dash == std::string_view::npos) return false;
        const std::string_view part = s.substr(0, dash);
        if (!Digits(part) || ToNumber(part) > 0xFFFF) return false;
        parts[i] = static_cast<uint16_t>(ToNumber(part));
        s.remove_prefix(i < 2 ? dash + 1 : dash);
    }
    e.networkId = parts[0];
    e.transportId = parts[1];
    e.serviceId = parts[2];
    e.hasIds = true;
    return true;
}

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || (n > 1 && c < 0xC2) || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

bool ParseReferenceList(std::string_view text, std::vector<ReferenceEntry>& entries,
                        std::string& error) {
    entries.clear();
    if (text.size() > kMaxListBytes) {
        error = "the channel list is too large";
        return false;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    size_t lineNumber = 0;
    bool sawContent = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (++lineNumber > kMaxReferenceLines) {
            error =
                "the channel list has more than " + std::to_string(kMaxReferenceLines) + " lines";
            return false;
        }
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trim(line).empty()) continue;
        const std::string where = "line " + std::to_string(lineNumber) + " of the channel list";
        const size_t semi = line.find(';');
        const std::string_view first = Trim(line.substr(0, semi));
        if (!Digits(first)) {
            // One header line may name the columns.
            if (!sawContent && semi != std::string_view::npos) {
                sawContent = true;
                continue;
            }
            error = where + " does not start with a channel number";
            return false;
        }
        sawContent = true;
        if (semi == std::string_view::npos) {
            error = where + " has no name";
            return false;
        }
        ReferenceEntry e;
        e.number = static_cast<int>(ToNumber(first));
        std::string_view rest = line.substr(semi + 1);
        // The ids are the last column when it reads as ids; a name may hold
        // semicolons of its own.
        const size_t last = rest.rfind(';');
        if (last != std::string_view::npos) {
            const std::string_view ids = Trim(rest.substr(last + 1));
            if (ids.empty() || ParseIds(ids, e)) rest = rest.substr(0, last);
        }
        const std::string_view name = Trim(rest);
        if (name.empty()) {
            error = where + " has no name";
            return false;
        }
        if (!ValidUtf8(name)) {
            error = where + " is not UTF-8 text";
            return false;
        }
        if (std::any_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
            error = where + " has control characters in its name";
            return false;
        }
        e.name = std::string(name);
        entries.push_back(std::move(e));
    }
    if (entries.empty()) {
        error = "the channel list holds no channel";
        return false;
    }
    return true;
}

bool ReadReferenceList(const std::string& path, std::vector<ReferenceEntry>& entries,
                       std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes, error, kMaxListBytes + 1)) return false;
    if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
        error = "\"" + path + "\" is no text file";
        return false;
    }
    if (!ParseReferenceList(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), entries,
            error)) {
        error = "\"" + path + "\": " + error;
        return false;
    }
    return true;
}

std::string FormatReferenceList(const std::vector<ReferenceEntry>& entries) {
    std::string out = std::string(kHeader) + "\n";
    for (const ReferenceEntry& e : entries) {
        std::string name = e.name;
        for (char& c : name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
        out += std::to_string(e.number) + ";" + name + ";";
        // A name-only entry keeps an empty id column: "0-0-0" would read back
        // as ids that can match a channel whose service id is 0.
        if (e.hasIds)
            out += std::to_string(e.networkId) + "-" + std::to_string(e.transportId) + "-" +
                   std::to_string(e.serviceId);
        out += "\n";
    }
    return out;
}

bool LooksLikeReferenceList(const std::string& path) {
    std::vector<uint8_t> head;
    std::string error;
    if (!ReadFile(path, head, error, 512) || head.empty()) return false;
    // Database files start with binary headers full of zero bytes; a text
    // list has none (a stray control character is the list reader's to report).
    return std::find(head.begin(), head.end(), 0) == head.end();
}

}  // namespace brondavel
