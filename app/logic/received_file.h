// Where a batch read lands: a temporary file of its own beside the target,
// renamed to the received name, or to the first free "%s(%d).%s" name, without
// ever touching a file that exists.
#pragma once

#include <string>
#include <string_view>

namespace brondavel::app {

// A new empty file with a unique name in `folder` for one read; "" with
// `error` set when none can be made.
std::string MakeReceiveFile(const std::string& folder, std::string& error);

// Longest file name ReceivedFileName gives, in bytes: room for a "(999)".
inline constexpr size_t kMaxReceivedFileName = 240;

// A name the receiver sent, in its 8-bit code page, as a UTF-8 file name of
// at most kMaxReceivedFileName bytes, cut before its extension. Bytes no file
// name can hold ('/', control bytes) and a name of dots only are written as
// "%XX".
std::string ReceivedFileName(std::string_view sent);

struct PlacedFile {
    std::string path;   // where the received file now is
    bool named = true;  // false: it kept its temporary name
    std::string error;  // why it kept it
};
// Renames `temporary` to `name` in `folder`, or the first free numbered name.
PlacedFile PlaceReceivedFile(const std::string& temporary, const std::string& folder,
                             const std::string& name);

}  // namespace brondavel::app
