#pragma once

// The decoders the JPEG benchmark compares, each decoding a photo held in
// memory into a 3-byte BGR bitmap with rows padded to 4 bytes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct BenchPhoto {
    std::string name;
    std::vector<uint8_t> bytes;
    int width = 0;
    int height = 0;
};

struct BenchDecoder {
    // "velmora <path>", "libjpeg-turbo" (its SIMD build), "libjpeg-turbo no SIMD"
    // (the same library in a process started with JSIMD_FORCENONE=1) or "stb_image".
    std::string name;
    // Output equal to libjpeg-turbo's (accurate integer IDCT, fancy upsampling),
    // which is what `djpeg -dct int` writes; stb_image filters differently.
    bool exact = true;
    std::function<bool(const BenchPhoto&, std::vector<uint8_t>& bitmap)> decode;
};

// Loads a photo and reads its size; false when it is not a readable JPEG file.
bool loadBenchPhoto(const std::string& folder, const std::string& name, BenchPhoto& photo);

// Our decoder on each processor path this machine runs, libjpeg-turbo and stb_image.
std::vector<BenchDecoder> benchDecoders();
// The name of the path the codec chooses for this processor ("velmora avx2").
std::string chosenPathName();
// Whether this process runs libjpeg-turbo with its SIMD switched off.
bool referenceSimdSwitchedOff();
