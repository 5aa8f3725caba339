#pragma once

// Pictures of noise, encoded here with libjpeg and giflib: where the cost of
// decoding depends on the data, noise at the finest quality is the dearest a
// file of a given size and kind can be.

#include <csetjmp>
#include <cstdio>   // before jpeglib.h
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" {
#include <gif_lib.h>
#include <jpeglib.h>
}

namespace barmen::test {

// One scan of a progressive script: the components, the band and the bits.
struct Scan {
    std::vector<int> components;
    int first, last, high, low;
};

// Grey: the DC, then each half of the band first at bit 9 and refined bit by
// bit, 21 scans in all (cjpeg -grayscale -quality 100 -scans with this
// script wrote the costliest file the testers found).
inline std::vector<Scan> halvesBitByBit()
{
    std::vector<Scan> scans{{{0}, 0, 0, 0, 0}, {{0}, 1, 31, 0, 9}, {{0}, 32, 63, 0, 9}};
    for (int low = 8; low >= 0; --low) {
        scans.push_back({{0}, 1, 31, low + 1, low});
        scans.push_back({{0}, 32, 63, low + 1, low});
    }
    return scans;
}

// Colour 4:4:4: the DC of all three, then each component's whole band first
// at bit 10 and refined bit by bit, 34 scans.
inline std::vector<Scan> componentsBitByBit()
{
    std::vector<Scan> scans{{{0, 1, 2}, 0, 0, 0, 0}};
    for (int c = 0; c < 3; ++c) {
        scans.push_back({{c}, 1, 63, 0, 10});
        for (int low = 9; low >= 0; --low)
            scans.push_back({{c}, 1, 63, low + 1, low});
    }
    return scans;
}

// A JPEG of random samples at quality 100, every component at full
// resolution: baseline with no script, progressive with one.
inline std::string noiseJpeg(int width, int height, int components, const std::vector<Scan> &script = {},
                             unsigned seed = 1)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    for (int i = 0; i < c.num_components; ++i)
        c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    std::vector<jpeg_scan_info> scans;
    for (const Scan &s : script) {
        jpeg_scan_info info{};
        info.comps_in_scan = int(s.components.size());
        for (std::size_t i = 0; i < s.components.size(); ++i)
            info.component_index[i] = s.components[i];
        info.Ss = s.first;
        info.Se = s.last;
        info.Ah = s.high;
        info.Al = s.low;
        scans.push_back(info);
    }
    if (!scans.empty()) {
        c.scan_info = scans.data();
        c.num_scans = int(scans.size());
    }
    jpeg_start_compress(&c, TRUE);
    std::mt19937 random(seed);
    std::vector<unsigned char> row(std::size_t(width) * std::size_t(components));
    while (c.next_scanline < c.image_height) {
        for (unsigned char &b : row)
            b = static_cast<unsigned char>(random());
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string bytes(reinterpret_cast<const char *>(out), size);
    std::free(out);
    return bytes;
}

// A GIF of random pixels over 256 colours, in one frame or, each frame a
// copy of the first, in many.
inline std::string noiseGif(int width, int height, int frames = 1, unsigned seed = 1)
{
    std::string bytes;
    auto write = [](GifFileType *gif, const GifByteType *data, int n) {
        static_cast<std::string *>(gif->UserData)->append(reinterpret_cast<const char *>(data), std::size_t(n));
        return n;
    };
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, write, &error);
    ColorMapObject *map = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i)
        map->Colors[i] = {GifByteType(i), GifByteType(255 - i), GifByteType(i * 7)};
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    std::mt19937 random(seed);
    std::vector<GifPixelType> pixels(std::size_t(width) * std::size_t(height));
    for (GifPixelType &p : pixels)
        p = static_cast<GifPixelType>(random());
    for (int f = 0; f < frames; ++f) {
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
        for (int y = 0; y < height; ++y)
            EGifPutLine(gif, pixels.data() + std::size_t(y) * std::size_t(width), width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

} // namespace barmen::test
