#pragma once

#include <QtGlobal>

// The export and port a PS2's game launcher serves its disk on unless its settings say
// otherwise: what Ventrik asks for unless told otherwise.
namespace platform {

inline constexpr char kNbdDefaultExport[] = "hdd0";
inline constexpr char kNbdDefaultPortText[] = "10809";
inline constexpr quint16 kNbdDefaultPort = 10809;

// The two spellings of the port are one number.
constexpr bool SameNumber(const char* text, unsigned number, unsigned value = 0)
{
    return *text == '\0' ? value == number
                         : SameNumber(text + 1, number, value * 10 + unsigned(*text - '0'));
}
static_assert(SameNumber(kNbdDefaultPortText, kNbdDefaultPort));

} // namespace platform
