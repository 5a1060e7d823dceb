// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers stay texts until they are used. These helpers read the leading number
// of a text and format numbers printf-style, always with '.' as the decimal
// separator whatever the process locale.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Every ',' replaced by '.'.
std::string CommaToPoint(std::string_view text);
// The leading decimal number: optional blanks, sign, digits, point, digits,
// exponent. Text that is no number gives 0. Never throws; overflow gives +-inf.
double ReadLeadingDouble(std::string_view text);
// The leading whole number in base 10 (blanks, one sign, digits); a text
// without digits gives 0; values beyond int are clamped.
int ReadLeadingInt(std::string_view text);

// The whole text as one finite number ("," read as "."), or nothing: a value
// of a file the program keeps is used only when it is a number from its
// first to its last byte.
std::optional<double> ReadWholeNumber(std::string_view text);
// The shortest text that reads back as the same double.
std::string ShortestNumberText(double value);

// "%.<decimals>f" of the value ("inf", "-inf", "nan", "-nan" for non-finite).
std::string FormatFixed(double value, int decimals);
// "%i"
std::string FormatInt(long long value);

// Rounding up to a whole number: integer part, plus one when the integer part
// is below the value, else the value unchanged (so a negative fraction stays
// as it is). Non-finite values come back unchanged; no cast of them.
double RoundUp(double value);
// Truncation toward zero, clamped into [lo, hi]; NaN gives lo.
int TruncClamp(double value, int lo, int hi);

}  // namespace velmora
