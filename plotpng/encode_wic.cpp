// encode_wic.cpp - the PNG encoding through the Windows Imaging Component.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objidl.h>
#include <wincodec.h>

#include <cstdio>
#include <vector>

#include "outfile/output_file.h"
#include "plotpng/encode.h"

namespace {

// COM for this thread for the length of a write, when it is not on already.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

// Releases a COM interface at the end of its scope.
template <class T>
class Ref {
public:
    Ref() = default;
    ~Ref() {
        if (p_) p_->Release();
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T** operator&() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

std::string Failure(const char* what, HRESULT hr) {
    char text[96];
    std::snprintf(text, sizeof text, "%s failed (0x%08lx)", what, static_cast<unsigned long>(hr));
    return text;
}

}  // namespace

bool PlotEncodePng(OutputFile* file, const unsigned char* pixels, int width, int height, const std::uint32_t* palette,
                   int colourCount, std::string& reason) {
    ComScope com;
    Ref<IWICImagingFactory> factory;
    Ref<IStream> memory;
    Ref<IWICBitmapEncoder> encoder;
    Ref<IWICBitmapFrameEncode> frame;
    Ref<IPropertyBag2> options;
    Ref<IWICPalette> colours;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return reason = Failure("the imaging component", hr), false;
    // Encoded in memory, then written to the caller's file in one piece.
    if (FAILED(hr = CreateStreamOnHGlobal(nullptr, TRUE, &memory)) ||
        FAILED(hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(hr = encoder->Initialize(memory.get(), WICBitmapEncoderNoCache)) ||
        FAILED(hr = encoder->CreateNewFrame(&frame, &options)) || FAILED(hr = frame->Initialize(options.get())) ||
        FAILED(hr = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)))) {
        return reason = Failure("starting the PNG", hr), false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
    if (FAILED(hr = frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat8bppIndexed) {
        return reason = Failure("the 8-bit format", FAILED(hr) ? hr : E_FAIL), false;
    }
    std::vector<WICColor> table(static_cast<std::size_t>(colourCount));
    for (int i = 0; i < colourCount; ++i) table[static_cast<std::size_t>(i)] = 0xFF000000u | (palette[i] & 0xFFFFFFu);
    // The palette goes on the frame: the encoder itself does not take one.
    if (FAILED(hr = factory->CreatePalette(&colours)) ||
        FAILED(hr = colours->InitializeCustom(table.data(), static_cast<UINT>(colourCount))) ||
        FAILED(hr = frame->SetPalette(colours.get()))) {
        return reason = Failure("the palette", hr), false;
    }
    // The image keeps its bottom row first; a PNG starts at the top.
    for (int row = height - 1; row >= 0; --row) {
        auto* line = const_cast<BYTE*>(pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width));
        if (FAILED(hr = frame->WritePixels(1, static_cast<UINT>(width), static_cast<UINT>(width), line))) {
            return reason = Failure("writing the rows", hr), false;
        }
    }
    if (FAILED(hr = frame->Commit()) || FAILED(hr = encoder->Commit())) {
        return reason = Failure("finishing the PNG", hr), false;
    }
    HGLOBAL bytes = nullptr;
    if (FAILED(hr = GetHGlobalFromStream(memory.get(), &bytes))) return reason = Failure("the encoded PNG", hr), false;
    STATSTG stat{};
    memory->Stat(&stat, STATFLAG_NONAME);
    const std::size_t size = static_cast<std::size_t>(stat.cbSize.QuadPart);
    const void* data = GlobalLock(bytes);
    const bool written = data && file->Write(data, size);
    if (data) GlobalUnlock(bytes);
    if (!written) reason = "write error";
    return written;
}
