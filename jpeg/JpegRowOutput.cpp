#include "JpegRowOutput.h"

#include "JpegColor.h"
#include "JpegUpsample.h"

#include <new>

JpegResult JpegRowOutput::start(const FrameHeader& header, const JpegOutputTarget& output,
                                const JpegKernels& chosenKernels, const int bandRows[MaxComponents])
{
    frame = &header;
    kernels = &chosenKernels;
    target = output;
    componentCount = header.componentCount;
    nextImageRow = 0;
    for (int c = 0; c < componentCount; ++c) {
        const FrameComponent& component = header.components[c];
        rowsPerBand[c] = bandRows[c];
        // Three bands: the one being decoded, the one being written out and
        // the one before it, whose last row is the context above.
        ringRows[c] = 3 * bandRows[c];
        stride[c] = size_t(component.gridBlocksWide) * 8 + KernelRowSlack;
        availableRows[c] = 0;
        rings[c].reset(new (std::nothrow) uint8_t[stride[c] * size_t(ringRows[c])]());
        int factor = header.hMax / component.h;
        size_t upsampledBytes = size_t(component.gridBlocksWide) * 8 * size_t(factor) + KernelRowSlack;
        upsampled[c].reset(new (std::nothrow) uint8_t[upsampledBytes]());
        if (!rings[c] || !upsampled[c])
            return JpegMemoryError;
    }
    return JpegSuccess;
}

void JpegRowOutput::bandDone(int band)
{
    for (int c = 0; c < componentCount; ++c)
        availableRows[c] = (band + 1) * rowsPerBand[c];
    writeRows(false);
}

void JpegRowOutput::finish() { writeRows(true); }

const uint8_t* JpegRowOutput::clampedRow(int component, int row) const
{
    // Above the first and below the last row the nearest real row stands in.
    int last = frame->components[component].sampleHeight - 1;
    if (row < 0)
        row = 0;
    if (row > last)
        row = last;
    return sampleRow(component, row);
}

const uint8_t* JpegRowOutput::componentRow(int c, int imageRow)
{
    const FrameComponent& component = frame->components[c];
    int hFactor = frame->hMax / component.h;
    int vFactor = frame->vMax / component.v;
    int row = imageRow / vFactor;
    const uint8_t* nearRow = sampleRow(c, row);
    if (hFactor == 1 && vFactor == 1)
        return nearRow;
    uint8_t* out = upsampled[c].get();
    int width = component.sampleWidth;
    bool upper = imageRow % 2 == 0;
    // The reference decoder's choice of filter: triangle filters for factors
    // of two (horizontally only from 3 samples up), replication otherwise.
    if (vFactor == 2 && (hFactor == 1 || (hFactor == 2 && width > 2))) {
        const uint8_t* farRow = clampedRow(c, upper ? row - 1 : row + 1);
        if (hFactor == 1)
            kernels->upsampleH1V2(nearRow, farRow, width, upper ? 1 : 2, out);
        else
            kernels->upsampleH2V2(nearRow, farRow, width, out);
    } else if (hFactor == 2 && vFactor == 1 && width > 2) {
        kernels->upsampleH2V1(nearRow, width, out);
    } else {
        upsampleReplicate(nearRow, width, hFactor, out);
    }
    return out;
}

void JpegRowOutput::writeRows(bool allAvailable)
{
    const int height = frame->height;
    const int width = frame->width;
    while (nextImageRow < height) {
        if (!allAvailable) {
            bool ready = true;
            for (int c = 0; c < componentCount; ++c) {
                const FrameComponent& component = frame->components[c];
                int vFactor = frame->vMax / component.v;
                int needed = nextImageRow / vFactor + (vFactor == 2 ? 1 : 0);
                if (needed > component.sampleHeight - 1)
                    needed = component.sampleHeight - 1;
                if (needed >= availableRows[c])
                    ready = false;
            }
            if (!ready)
                return;
        }
        const uint8_t* rows[MaxComponents];
        for (int c = 0; c < componentCount; ++c)
            rows[c] = componentRow(c, nextImageRow);
        int bitmapRow = target.bottomUp ? height - 1 - nextImageRow : nextImageRow;
        uint8_t* out = target.pixels + size_t(bitmapRow) * target.rowStride;
        switch (target.layout) {
        case JpegOutputLayout::GreyToBgr:
            kernels->greyToBgr(rows[0], out, width);
            break;
        case JpegOutputLayout::YccToBgr:
            kernels->yccToBgr(rows[0], rows[1], rows[2], out, width);
            break;
        case JpegOutputLayout::YccAlphaToRgba:
            yccAlphaToRgbaPlain(rows[0], rows[1], rows[2], rows[3], out, width);
            break;
        case JpegOutputLayout::PassThrough:
            interleaveComponents(rows, componentCount, out, width);
            break;
        }
        ++nextImageRow;
    }
}
