#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace markwell {

// Reads a typed whole number: optional leading spaces, then either an optional sign and
// decimal digits that fit a signed 32-bit value, or (without a sign) one of the prefixes
// "$", "x", "X", "0x", "0X" and hexadecimal digits that fit 32 bits, read as a signed
// 32-bit value. Nothing may follow the digits. Anything else has no value.
std::optional<qint32> textToInt(QStringView text);

} // namespace markwell
