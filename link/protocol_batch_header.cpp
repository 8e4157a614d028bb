// Block 0 of a batch, and received names made safe in the target folder.
#include <sys/stat.h>

#include <algorithm>

#include "link/protocol.h"

namespace brondavel::link {

BatchHeader ParseBatchHeader(const uint8_t* data, size_t size) {
    BatchHeader h;
    size_t i = 0;
    for (; i < size && data[i] != 0; ++i) {
        if (h.name.size() < kMaxReceivedName) h.name.push_back(static_cast<char>(data[i]));
    }
    ++i;  // the name's zero byte
    size_t text_length = 0;
    for (; i < size && data[i] != 0 && data[i] != ' '; ++i, ++text_length) {
        if (h.size_text.size() < kMaxSizeText) h.size_text.push_back(static_cast<char>(data[i]));
    }
    uint64_t value = 0;
    h.size_valid = text_length > 0 && text_length <= 10;
    for (char c : h.size_text) {
        if (c < '0' || c > '9') h.size_valid = false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) h.size_valid = false;
    h.size = h.size_valid ? static_cast<uint32_t>(value) : 0;
    return h;
}

std::string BuildBatchHeader(std::string_view path, uint64_t file_size) {
    size_t cut = path.find_last_of("/\\");
    std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
    std::string size_text = std::to_string(file_size);
    // Name, size and their zero bytes stay within one 128-byte block.
    size_t room = std::min(kMaxSentName, 128 - 2 - size_text.size());
    std::string data(name.substr(0, std::min(room, name.size())));
    data.push_back('\0');
    data += size_text;
    data.push_back('\0');
    data.resize(128, '\0');
    return data;
}

std::string SafeFileName(std::string_view name) {
    std::string out;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        out.push_back((u < 0x20 || u == 0x7F || c == '/' || c == '\\') ? '_' : c);
    }
    // Room for the "(999)" of a numbered name within the file system's limit.
    if (out.size() > 240) out.resize(240);
    if (out.find_first_not_of('.') == std::string::npos) {
        std::replace(out.begin(), out.end(), '.', '_');
    }
    if (out.empty()) out = "unnamed";
    return out;
}

std::string FreeTargetName(const std::string& folder, const std::string& name) {
    auto exists = [&](const std::string& n) {
        struct stat st;
        return ::lstat((folder + "/" + n).c_str(), &st) == 0;
    };
    if (!exists(name)) return name;
    size_t dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    for (int n = 1; n <= 999; ++n) {
        std::string candidate = base + "(" + std::to_string(n) + ")";
        if (dot != std::string::npos) candidate += "." + ext;
        if (!exists(candidate)) return candidate;
    }
    return {};
}

}  // namespace brondavel::link
