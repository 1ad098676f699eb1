#pragma once

#include <QtGlobal>

#include <array>

// Offsets and sizes of the TP image; docs/tp-image-format.md explains them.
namespace TPImageLayout {

inline constexpr char Magic[] = "TARVIKTP";  // 8 bytes, no terminator in the image
inline constexpr int MagicSize = 8;
inline constexpr int VersionOffset = 8;  // 16-bit little-endian
inline constexpr quint16 Version = 1;
inline constexpr int TPTotalOffset = 10;     // 16-bit: TPs in the image
inline constexpr int StreamSizeOffset = 12;  // 32-bit: bytes of the TP stream
inline constexpr int SatellitesOffset = 16;
inline constexpr int SatelliteSize = 52;
inline constexpr int StreamOffset = 10000;  // 16 + 192 x 52

// A satellite record: the TP count, then four text fields, each a length byte
// followed by its maximum number of bytes, zero-filled; one zero byte ends it.
inline constexpr int TPCountOffset = 0;
struct TextField {
    int offset;  // of the length byte, within the record
    int maxLength;
};
inline constexpr std::array<TextField, 4> SatelliteFields{{
    {1, 8},    // Diseqc
    {10, 32},  // SatName
    {43, 2},   // ParseSort
    {46, 4},   // Deg
}};
inline constexpr int SatelliteEndOffset = 51;

// The greatest length of each TP field: Freq, Polar, SR, FEC.
inline constexpr std::array<int, 4> TPFieldMax{5, 1, 5, 1};

// TP stream nibbles.
inline constexpr quint8 SpaceNibble = 0xA;
inline constexpr quint8 ByteNibble = 0xE;  // two more nibbles: the byte, high half first
inline constexpr quint8 EndNibble = 0xF;   // a field shorter than its greatest length ends here

}  // namespace TPImageLayout
