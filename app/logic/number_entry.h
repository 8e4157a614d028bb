// How the edit dialogs read and show numbers: digit-only entry, and the
// satellite longitude as degrees with one decimal and a side.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brondavel::app {

// Every decimal digit of the text in order, accumulated in base 10; other
// characters are skipped, no digits give 0. The value wraps like a 32-bit
// register; the caller stores it in its field's width.
uint32_t ReadDigits(std::string_view text);

// "%d" of a stored number.
std::string NumberText(int64_t value);

// Tenths of a degree from the Degree text and the side: with a ".", whole
// degrees and the first decimal digit (later decimals are dropped), else the
// number times 10; negative for West. Beyond +-3600 the result is 0.
int16_t ReadLongitude(std::string_view degreeText, bool west);
// The Degree text of a longitude: "0", else "%d.%1d" of its magnitude.
std::string LongitudeDegreeText(int16_t tenths);
// The side shown for a longitude (kEast or kWest of record_options.h).
int LongitudeSide(int16_t tenths);

// An audio PID cell's text is kept when it starts with a digit and holds no
// blank.
bool IsValidPidText(std::string_view text);

}  // namespace brondavel::app
