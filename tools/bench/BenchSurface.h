#pragma once
// Drawing surfaces of the window benchmarks, and the percentiles they print.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// The value below which the given fraction of the samples lie.
inline double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

// Prints the median and 90th percentile of the samples, in milliseconds.
inline void PrintTimes(const char* what, const std::vector<double>& ms)
{
    std::printf("%-34s median %6.2f ms   p90 %6.2f ms   (%zu steps)\n", what, Percentile(ms, 0.5), Percentile(ms, 0.9),
                ms.size());
}

// A 32-bit DIB section in a memory DC, filled with one opaque colour: what a layered window composes into.
class DcSurface {
public:
    DcSurface(int width, int height, DWORD colour = 0xFFE0E8F0)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_dc = CreateCompatibleDC(nullptr);
        m_dib = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_previous = SelectObject(m_dc, m_dib);
        std::fill_n(static_cast<DWORD*>(m_bits), width * height, colour);
    }
    ~DcSurface()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_dib);
        DeleteDC(m_dc);
    }
    DcSurface(const DcSurface&) = delete;
    DcSurface& operator=(const DcSurface&) = delete;
    HDC Dc() const { return m_dc; }
    void* Bits() const { return m_bits; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_previous = nullptr;
    void* m_bits = nullptr;
};
