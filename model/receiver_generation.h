// The two receiver generations, each with its own record layout and image.
#pragma once

namespace brondavel {

enum class Generation { kFirst, kSecond };

// Model 2 is the first generation, models 0 and 1 the second.
inline Generation GenerationOfModel(int model) {
    return model == 0 || model == 1 ? Generation::kSecond : Generation::kFirst;
}

}  // namespace brondavel
