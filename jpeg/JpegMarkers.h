#pragma once

// Marker codes, the byte after 0xFF (ISO/IEC 10918-1 Table B.1).
namespace JpegMarker {
constexpr int Sof0 = 0xC0;   // baseline DCT
constexpr int Sof1 = 0xC1;   // extended sequential DCT, Huffman
constexpr int Sof2 = 0xC2;   // progressive DCT, Huffman
constexpr int Sof3 = 0xC3;   // lossless, Huffman
constexpr int Dht = 0xC4;
constexpr int Sof15 = 0xCF;  // last of the frame markers C5-CF (hierarchical, arithmetic)
constexpr int Jpg = 0xC8;    // reserved for extensions
constexpr int Dac = 0xCC;    // arithmetic conditioning tables
constexpr int Rst0 = 0xD0;
constexpr int Rst7 = 0xD7;
constexpr int Soi = 0xD8;
constexpr int Eoi = 0xD9;
constexpr int Sos = 0xDA;
constexpr int Dqt = 0xDB;
constexpr int Dnl = 0xDC;
constexpr int Dri = 0xDD;
constexpr int Dhp = 0xDE;    // hierarchical progression
constexpr int Exp = 0xDF;    // expand reference components
constexpr int App0 = 0xE0;
constexpr int App15 = 0xEF;
constexpr int Com = 0xFE;
constexpr int Tem = 0x01;
}
