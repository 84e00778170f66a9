// gif_writer_giflib.cpp - the GIF file through giflib, into a file that
// appears under its name only when complete.
#include <gif_lib.h>

#include "app/gif_writer.h"
#include "outfile/output_file.h"

namespace {

// giflib's output into the file; giflib takes a short count as a failed write.
int WriteToFile(GifFileType* gif, const GifByteType* data, int size) {
    auto* file = static_cast<OutputFile*>(gif->UserData);
    return file->Write(data, static_cast<std::size_t>(size)) ? size : 0;
}

class GiflibWriter : public GifWriter {
public:
    ~GiflibWriter() override { Discard(); }

    bool Open(const std::string& path, std::string& error) {
        if (!file_.Open(path)) {
            error = file_.Error();
            return false;
        }
        int code = 0;
        gif_ = EGifOpen(&file_, WriteToFile, &code);
        if (!gif_) {
            file_.Discard();
            const char* reason = GifErrorString(code);
            error = reason ? reason : "cannot start the GIF";
            return false;
        }
        return true;
    }

    bool Begin(int width, int height, const std::uint32_t* palette) override {
        ColorMapObject* map = GifMakeMapObject(256, nullptr);
        if (!map) return Fail(E_GIF_ERR_NOT_ENOUGH_MEM);
        for (int i = 0; i < 256; ++i) {
            map->Colors[i].Red = static_cast<GifByteType>((palette[i] >> 16) & 0xFF);
            map->Colors[i].Green = static_cast<GifByteType>((palette[i] >> 8) & 0xFF);
            map->Colors[i].Blue = static_cast<GifByteType>(palette[i] & 0xFF);
        }
        const int ok = EGifPutScreenDesc(gif_, width, height, 8, 0, map);
        GifFreeMapObject(map);
        static const char kLoop[] = "NETSCAPE2.0";
        unsigned char loop[3] = {1, 0, 0};
        if (ok != GIF_OK || EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
            EGifPutExtensionBlock(gif_, 11, kLoop) != GIF_OK || EGifPutExtensionBlock(gif_, 3, loop) != GIF_OK ||
            EGifPutExtensionTrailer(gif_) != GIF_OK) {
            return Fail(gif_->Error);
        }
        width_ = width;
        return true;
    }

    bool Frame(const unsigned char* screen, int left, int top, int width, int height, int delayCs) override {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = delayCs;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK ||
            EGifPutImageDesc(gif_, left, top, width, height, false, nullptr) != GIF_OK) {
            return Fail(gif_->Error);
        }
        for (int row = top; row < top + height; ++row) {
            auto* line = const_cast<GifByteType*>(&screen[static_cast<std::size_t>(row) * width_ + left]);
            if (EGifPutLine(gif_, line, width) != GIF_OK) return Fail(gif_->Error);
        }
        return true;
    }

    bool Finish(std::string& error) override {
        if (!gif_) return true;
        int code = 0;
        if (EGifCloseFile(gif_, &code) != GIF_OK && firstError_ == 0) firstError_ = code ? code : E_GIF_ERR_WRITE_FAILED;
        gif_ = nullptr;
        if (firstError_ == 0 && file_.Commit()) return true;
        error = Error();
        file_.Discard();
        return false;
    }

    void Discard() override {
        if (gif_) EGifCloseFile(gif_, nullptr);
        gif_ = nullptr;
        file_.Discard();
    }

    std::string Error() const override {
        if (!file_.Error().empty()) return file_.Error();  // the system's reason, e.g. a full disk
        if (firstError_ == 0) return {};
        const char* reason = GifErrorString(firstError_);
        return reason ? reason : "write error";
    }

private:
    bool Fail(int code) {
        if (firstError_ == 0) firstError_ = code ? code : E_GIF_ERR_WRITE_FAILED;
        return false;
    }

    OutputFile file_;
    GifFileType* gif_ = nullptr;
    int width_ = 0;
    int firstError_ = 0;
};

}  // namespace

std::unique_ptr<GifWriter> OpenGifWriter(const std::string& path, std::string& error) {
    auto writer = std::make_unique<GiflibWriter>();
    if (!writer->Open(path, error)) return nullptr;
    return writer;
}
