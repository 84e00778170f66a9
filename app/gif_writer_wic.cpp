// gif_writer_wic.cpp - the GIF file through the Windows Imaging Component.
//
// Every frame is the whole screen: the component places each frame at the
// top-left corner.  Frame delays and the loop are metadata, which some
// implementations of the component do not take (wine's answers "not
// implemented"): the frames and their pixels are written all the same.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objidl.h>
#include <propidl.h>
#include <wincodec.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/gif_writer.h"
#include "outfile/output_file.h"

namespace {

template <class T>
void Release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// Sets one metadata item; what the component does not take is left out.
void TrySet(IWICMetadataQueryWriter* writer, const wchar_t* name, PROPVARIANT& value) {
    if (writer) writer->SetMetadataByName(name, &value);
}

class WicGifWriter : public GifWriter {
public:
    ~WicGifWriter() override { Discard(); }

    bool Start(const std::string& path) {
        if (!file_.Open(path)) {
            Fail(file_.Error());
            return false;
        }
        com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory_));
        // Encoded in memory and written to the file when finished.
        if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, &memory_);
        if (SUCCEEDED(hr)) hr = factory_->CreateEncoder(GUID_ContainerFormatGif, nullptr, &encoder_);
        if (SUCCEEDED(hr)) hr = encoder_->Initialize(memory_, WICBitmapEncoderNoCache);
        return Check(hr, "starting the GIF");
    }

    bool Begin(int width, int height, const std::uint32_t* palette) override {
        width_ = width;
        height_ = height;
        std::vector<WICColor> table(256);
        for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = 0xFF000000u | (palette[i] & 0xFFFFFFu);
        HRESULT hr = factory_->CreatePalette(&palette_);
        if (SUCCEEDED(hr)) hr = palette_->InitializeCustom(table.data(), 256);
        if (!Check(hr, "the palette")) return false;
        encoder_->SetPalette(palette_);  // the global colour table, where taken
        IWICMetadataQueryWriter* meta = nullptr;
        if (SUCCEEDED(encoder_->GetMetadataQueryWriter(&meta))) {
            // NETSCAPE2.0 with a loop count of 0: for ever.
            static unsigned char application[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
            static unsigned char loop[] = {3, 1, 0, 0, 0};
            PROPVARIANT value{};
            value.vt = VT_UI1 | VT_VECTOR;
            value.caub.cElems = sizeof application;
            value.caub.pElems = application;
            TrySet(meta, L"/appext/Application", value);
            value.caub.cElems = sizeof loop;
            value.caub.pElems = loop;
            TrySet(meta, L"/appext/Data", value);
            meta->Release();
        }
        return true;
    }

    bool Frame(const unsigned char* screen, int, int, int, int, int delayCs) override {
        if (failed_) return false;
        IWICBitmapFrameEncode* frame = nullptr;
        IPropertyBag2* options = nullptr;
        HRESULT hr = encoder_->CreateNewFrame(&frame, &options);
        if (SUCCEEDED(hr)) hr = frame->Initialize(options);
        if (SUCCEEDED(hr)) hr = frame->SetSize(static_cast<UINT>(width_), static_cast<UINT>(height_));
        WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
        if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
        if (SUCCEEDED(hr) && format != GUID_WICPixelFormat8bppIndexed) hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
        if (SUCCEEDED(hr)) hr = frame->SetPalette(palette_);
        if (SUCCEEDED(hr)) SetFrameMetadata(frame, delayCs);
        if (SUCCEEDED(hr)) {
            const UINT stride = static_cast<UINT>(width_);
            hr = frame->WritePixels(static_cast<UINT>(height_), stride, stride * static_cast<UINT>(height_),
                                    const_cast<BYTE*>(screen));
        }
        if (SUCCEEDED(hr)) hr = frame->Commit();
        Release(options);
        Release(frame);
        return Check(hr, "writing a frame");
    }

    bool Finish(std::string& error) override {
        if (!file_.IsOpen()) return true;
        if (!failed_ && encoder_) Check(encoder_->Commit(), "finishing the GIF");
        if (!failed_) WriteOut();
        if (!failed_ && !file_.Commit()) Fail(file_.Error());
        file_.Discard();
        ReleaseAll();
        if (failed_) error = reason_;
        return !failed_;
    }

    void Discard() override {
        file_.Discard();
        ReleaseAll();
    }

    std::string Error() const override { return failed_ ? reason_ : std::string(); }

private:
    void ReleaseAll() {
        Release(palette_);
        Release(encoder_);
        Release(memory_);
        Release(factory_);
        if (SUCCEEDED(com_)) CoUninitialize();
        com_ = E_FAIL;
    }

    void SetFrameMetadata(IWICBitmapFrameEncode* frame, int delayCs) {
        IWICMetadataQueryWriter* meta = nullptr;
        if (FAILED(frame->GetMetadataQueryWriter(&meta))) return;
        PROPVARIANT value{};
        value.vt = VT_UI2;
        value.uiVal = static_cast<USHORT>(delayCs);
        TrySet(meta, L"/grctlext/Delay", value);
        value.vt = VT_UI1;
        value.bVal = 1;  // leave the frame in place
        TrySet(meta, L"/grctlext/Disposal", value);
        meta->Release();
    }

    void WriteOut() {
        HGLOBAL bytes = nullptr;
        STATSTG stat{};
        if (!Check(GetHGlobalFromStream(memory_, &bytes), "the encoded GIF") ||
            !Check(memory_->Stat(&stat, STATFLAG_NONAME), "the encoded GIF")) {
            return;
        }
        const std::size_t size = static_cast<std::size_t>(stat.cbSize.QuadPart);
        const void* data = GlobalLock(bytes);
        const bool written = data && file_.Write(data, size);
        if (data) GlobalUnlock(bytes);
        if (!written) Fail(file_.Error().empty() ? "write error" : file_.Error());
    }

    bool Check(HRESULT hr, const char* what) {
        if (SUCCEEDED(hr)) return true;
        char text[96];
        std::snprintf(text, sizeof text, "%s failed (0x%08lx)", what, static_cast<unsigned long>(hr));
        Fail(text);
        return false;
    }
    void Fail(const std::string& reason) {
        if (!failed_) reason_ = reason;
        failed_ = true;
    }

    OutputFile file_;
    HRESULT com_ = E_FAIL;
    IWICImagingFactory* factory_ = nullptr;
    IStream* memory_ = nullptr;
    IWICBitmapEncoder* encoder_ = nullptr;
    IWICPalette* palette_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool failed_ = false;
    std::string reason_;
};

}  // namespace

std::unique_ptr<GifWriter> OpenGifWriter(const std::string& path, std::string& error) {
    auto writer = std::make_unique<WicGifWriter>();
    if (!writer->Start(path)) {
        error = writer->Error();
        return nullptr;
    }
    return writer;
}
