#pragma once

// Small files that ask a decoder for much: valid JPEGs and GIFs written byte
// by byte, whose size on disk says nothing of the pixels, the scans or the
// screen they declare. For the decoder's tests and the bench's worst click.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace barmen::test {

// Writes bits into entropy-coded JPEG data, a zero byte after each FF.
class JpegBits {
public:
    void put(std::uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = std::uint8_t(m_byte << 1 | (value >> i & 1));
            if (++m_used == 8)
                flushByte();
        }
    }
    // Pads the last byte with ones, as the standard asks.
    std::string finish()
    {
        while (m_used != 0)
            put(1, 1);
        return std::move(m_out);
    }

private:
    void flushByte()
    {
        m_out += char(m_byte);
        if (m_byte == 0xFF)
            m_out += '\0';
        m_byte = 0;
        m_used = 0;
    }
    std::string m_out;
    std::uint8_t m_byte = 0;
    int m_used = 0;
};

inline void put16(std::string &b, int value)
{
    b += char(value >> 8 & 0xFF);
    b += char(value & 0xFF);
}

// A flat grey, CMYK or colour JPEG of the given size that libjpeg decodes
// without a warning: every block's DC difference and AC coefficients zero,
// one sample per pixel in each component (4:4:4). Progressive with `scans`
// scans (at least one per component, at most 1 + 882 per component: one DC
// scan, then each AC coefficient alone through fourteen successive
// approximations), or baseline with one scan of all components.
inline std::string flatJpeg(int width, int height, int components, bool progressive, int scans = 1)
{
    const std::int64_t blocks = std::int64_t((width + 7) / 8) * ((height + 7) / 8);
    std::string b("\xFF\xD8", 2);
    // One quantisation table of ones.
    b += "\xFF\xDB";
    put16(b, 67);
    b += '\0';
    b += std::string(64, '\1');
    b += progressive ? "\xFF\xC2" : "\xFF\xC0";
    put16(b, 8 + 3 * components);
    b += '\x08';
    put16(b, height);
    put16(b, width);
    b += char(components);
    for (int c = 1; c <= components; ++c) {
        b += char(c);
        b += '\x11';
        b += '\0';
    }
    // DC: one symbol, category 0, coded as the bit 0. AC: baseline needs
    // only EOB (0x00) as the bit 0; progressive the fifteen EOB runs
    // 0x00..0xE0, four bits each, coded as their run category.
    b += "\xFF\xC4";
    put16(b, 2 + 17 + 1);
    b += '\x00';
    b += '\x01';
    b += std::string(15, '\0');
    b += '\0';
    b += "\xFF\xC4";
    if (progressive) {
        put16(b, 2 + 17 + 15);
        b += '\x10';
        b += std::string(3, '\0');
        b += '\x0F';
        b += std::string(12, '\0');
        for (int r = 0; r < 15; ++r)
            b += char(r << 4);
    } else {
        put16(b, 2 + 17 + 1);
        b += '\x10';
        b += '\x01';
        b += std::string(15, '\0');
        b += '\0';
    }
    auto scanHeader = [&](std::vector<int> ids, int ss, int se, int ah, int al) {
        b += "\xFF\xDA";
        put16(b, 6 + 2 * int(ids.size()));
        b += char(ids.size());
        for (int id : ids) {
            b += char(id);
            b += '\0';
        }
        b += char(ss);
        b += char(se);
        b += char(ah << 4 | al);
    };
    if (!progressive) {
        std::vector<int> ids;
        for (int c = 1; c <= components; ++c)
            ids.push_back(c);
        scanHeader(ids, 0, 63, 0, 0);
        JpegBits bits;
        for (std::int64_t i = 0; i < blocks * components; ++i)
            bits.put(0, 2);   // DC category 0, then EOB
        b += bits.finish();
        b += "\xFF\xD9";
        return b;
    }
    // One DC scan per component, then AC scans, component by component.
    int written = 0;
    for (int c = 1; c <= components && written < scans; ++c, ++written) {
        scanHeader({c}, 0, 0, 0, 0);
        JpegBits bits;
        for (std::int64_t i = 0; i < blocks; ++i)
            bits.put(0, 1);
        b += bits.finish();
    }
    for (int c = 1; c <= components; ++c)
        for (int al = 13; al >= 0; --al)
            for (int k = 1; k <= 63; ++k) {
                if (written++ >= scans)
                    goto done;
                scanHeader({c}, k, k, al == 13 ? 0 : al + 1, al);
                // The whole band one run of blocks with nothing in them.
                JpegBits bits;
                for (std::int64_t left = blocks; left > 0;) {
                    const std::int64_t run = left < 32767 ? left : 32767;
                    int r = 0;
                    while ((std::int64_t(2) << r) <= run)
                        ++r;
                    bits.put(std::uint32_t(r), 4);
                    bits.put(std::uint32_t(run - (std::int64_t(1) << r)), r);
                    left -= run;
                }
                b += bits.finish();
            }
done:
    b += "\xFF\xD9";
    return b;
}

inline void put16le(std::string &b, int value)
{
    b += char(value & 0xFF);
    b += char(value >> 8 & 0xFF);
}

// A GIF89a of a screen of the given size round one frame, a single pixel at
// the top left unless a frame size is given, all of colour 0. The data of a
// frame larger than a pixel are a plain run of 9-bit codes with a clear code
// before each 254, so every frame costs about a byte and a bit a pixel.
inline std::string gifOnScreen(int screenWidth, int screenHeight, int frameWidth = 1, int frameHeight = 1,
                               bool transparent = false)
{
    std::string b = "GIF89a";
    put16le(b, screenWidth);
    put16le(b, screenHeight);
    b += '\x80';   // a global table of two colours
    b += '\0';
    b += '\0';
    b += std::string("\xFF\x00\x00\x00\x00\xFF", 6);
    if (transparent)
        b += std::string("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
    b += ',';
    put16le(b, 0);
    put16le(b, 0);
    put16le(b, frameWidth);
    put16le(b, frameHeight);
    b += '\0';
    if (frameWidth == 1 && frameHeight == 1) {
        b += std::string("\x02\x02\x44\x01\x00", 5);   // clear, 0, end
        b += ';';
        return b;
    }
    // LZW code size 8: clear is 256, end 257; codes stay 9 bits wide as long
    // as no more than 254 codes follow a clear.
    b += '\x08';
    std::string data;
    std::uint32_t acc = 0;
    int used = 0;
    auto code = [&](std::uint32_t c) {
        acc |= c << used;
        used += 9;
        while (used >= 8) {
            data += char(acc & 0xFF);
            acc >>= 8;
            used -= 8;
        }
    };
    const std::int64_t pixels = std::int64_t(frameWidth) * frameHeight;
    for (std::int64_t i = 0; i < pixels; ++i) {
        if (i % 254 == 0)
            code(256);
        code(0);
    }
    code(257);
    if (used > 0)
        data += char(acc & 0xFF);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        b += char(n);
        b.append(data, at, n);
    }
    b += '\0';
    b += ';';
    return b;
}

} // namespace barmen::test
