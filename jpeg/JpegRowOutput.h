#pragma once

// The output end of the pipeline: component sample rows from the inverse DCT
// are kept in small ring buffers (three bands of MCU rows each, so memory
// grows with the width only), upsampled and colour-converted into bitmap
// rows as soon as the rows they need are there.

#include "JpegFrame.h"
#include "JpegKernels.h"
#include "JpegResult.h"

#include <cstddef>
#include <cstdint>
#include <memory>

enum class JpegOutputLayout {
    GreyToBgr,       // one component to 3-byte blue-green-red
    YccToBgr,        // JFIF YCbCr to 3-byte blue-green-red
    YccAlphaToRgba,  // YCbCr plus a fourth component as alpha, to 4-byte RGBA
    PassThrough,     // the components as they are, one byte each
};

struct JpegOutputTarget {
    uint8_t* pixels = nullptr;
    bool bottomUp = false;          // first row in memory is the bottom of the image
    size_t rowStride = 0;           // bytes from one bitmap row to the next
    JpegOutputLayout layout = JpegOutputLayout::YccToBgr;
};

class JpegRowOutput {
public:
    // rowsPerBand: component sample rows the decoder delivers per band.
    JpegResult start(const FrameHeader& frame, const JpegOutputTarget& target, const JpegKernels& kernels,
                     const int rowsPerBand[MaxComponents]);

    // Where the decoder writes component sample row `row` (a multiple of 8 for
    // block writes, whose 8 rows are then contiguous at stride()).
    uint8_t* sampleRow(int component, int row) const
    {
        return rings[component].get() + size_t(row % ringRows[component]) * stride[component];
    }
    ptrdiff_t rowStride(int component) const { return ptrdiff_t(stride[component]); }

    // Band `band` (0-based) of every component is complete: writes every bitmap
    // row whose samples are now all there.
    void bandDone(int band);
    // All bands are complete: writes the remaining rows.
    void finish();

private:
    const uint8_t* componentRow(int component, int imageRow);
    const uint8_t* clampedRow(int component, int row) const;
    void writeRows(bool allAvailable);

    const FrameHeader* frame = nullptr;
    const JpegKernels* kernels = nullptr;
    JpegOutputTarget target;
    int componentCount = 0;
    int rowsPerBand[MaxComponents] = {};
    int ringRows[MaxComponents] = {};
    size_t stride[MaxComponents] = {};
    int availableRows[MaxComponents] = {};
    int nextImageRow = 0;
    std::unique_ptr<uint8_t[]> rings[MaxComponents];
    std::unique_ptr<uint8_t[]> upsampled[MaxComponents];
};
