#include "app/logic/received_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "app/logic/model_files.h"
#include "files/atomic_file.h"
#include "link/protocol.h"
#include "text/conexant_text.h"

namespace brondavel::app {

namespace {

// Renames without replacing: a name taken meanwhile fails with EEXIST.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without the flag: a hard link fails on an existing name too.
    if (::link(from.c_str(), to.c_str()) != 0) return -1;
    ::unlink(from.c_str());
    return 0;
}

void AppendEscaped(unsigned char byte, std::string& out) {
    static const char digits[] = "0123456789ABCDEF";
    out += '%';
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

}  // namespace

std::string MakeReceiveFile(const std::string& folder, std::string& error) {
    std::string pattern = JoinPath(folder, ".brondavel-receive-XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return {};
    }
    // As a file the read had created itself, not private as mkstemp makes it.
    ::fchmod(fd, 0666 & ~CurrentUmask(folder));
    ::close(fd);
    return name.data();
}

std::string ReceivedFileName(std::string_view sent) {
    const bool dotsOnly = sent.find_first_not_of('.') == std::string_view::npos;
    // One piece per byte sent, so that a name too long loses whole characters.
    std::vector<std::string> pieces;
    for (const char ch : sent) {
        const auto byte = static_cast<unsigned char>(ch);
        const char16_t code = text::AnsiCodePoint(byte);
        std::string piece;
        if (dotsOnly || byte == '/' || byte < 0x20 || byte == 0x7F || code == 0 || code == 0xFFFD)
            AppendEscaped(byte, piece);
        else
            piece = text::Utf16ToUtf8(std::u16string_view(&code, 1));
        pieces.push_back(std::move(piece));
    }
    // Two bytes of UTF-8 for one sent: the name is cut before its extension
    // until it fits a file name with its "(999)".
    size_t length = 0;
    for (const std::string& piece : pieces) length += piece.size();
    const size_t dot = sent.rfind('.');
    size_t cut =
        dot != std::string_view::npos && dot > 0 && sent.size() - dot <= 16 ? dot : pieces.size();
    while (length > kMaxReceivedFileName && cut > 0) {
        --cut;
        length -= pieces[cut].size();
        pieces.erase(pieces.begin() + static_cast<long>(cut));
    }
    std::string out;
    for (const std::string& piece : pieces) out += piece;
    return out;
}

PlacedFile PlaceReceivedFile(const std::string& temporary, const std::string& folder,
                             const std::string& name) {
    // Another program may take the free name first: then the next one is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string target = link::FreeTargetName(folder, name);
        if (target.empty())
            return {temporary, false, "\"" + name + "\" and all its numbered names exist"};
        const std::string targetPath = JoinPath(folder, target);
        if (RenameNoReplace(temporary, targetPath) == 0) return {targetPath, true, {}};
        if (errno != EEXIST) return {temporary, false, std::strerror(errno)};
    }
    return {temporary, false, "every free name was taken meanwhile"};
}

}  // namespace brondavel::app
