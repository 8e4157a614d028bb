// A favourite group: a 16-byte name; group g is bit g of a channel's
// membership mask.
#pragma once

#include "model/typed_record.h"

namespace brondavel {

struct FavoriteRecord : TypedRecord<16, 0, 16> {};

// The 16 groups every load creates, in id order.
inline constexpr const char* kDefaultFavoriteNames[16] = {
    "Sports", "Movie", "Music", "Drama", "News",  "Child", "Radio", "User1",
    "User2",  "User3", "User4", "User5", "User6", "User7", "User8", "User9"};

}  // namespace brondavel
