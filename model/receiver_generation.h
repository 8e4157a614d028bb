// The two receiver generations, each with its own record layout and image.
#pragma once

#include <cstdint>

namespace brondavel {

enum class ReceiverGeneration : uint8_t {
    kFirst,   // model 2
    kSecond,  // models 0 and 1
};

}  // namespace brondavel
