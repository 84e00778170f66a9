// output_file.h - a file that appears under its name only when complete.
//
// The bytes go to a fresh temporary file beside the target ("<name>.tmpN"),
// which is renamed onto the name when the writing, the flush and the close
// all succeeded.  On any failure the temporary is removed, so a file that
// was there before stays as it was and no cut or empty file is left under
// the name.  A target that is not a regular file (a device such as
// /dev/null, a pipe) is written in place; a symbolic link keeps pointing at
// the file it names.  Standard library only.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class PlotOutputFile {
public:
    PlotOutputFile() = default;
    ~PlotOutputFile();  // an uncommitted file is discarded
    PlotOutputFile(const PlotOutputFile&) = delete;
    PlotOutputFile& operator=(const PlotOutputFile&) = delete;

    // Starts the file for `target`; false with Error() set.
    bool Open(const std::string& target);
    // Appends bytes; false (and nothing more is written) after the first failure.
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and puts the file under its name; false with Error()
    // set, the temporary removed.
    bool Commit();
    // Closes and removes the temporary (nothing under the name changes).
    void Discard();

    bool IsOpen() const { return file_ != nullptr; }
    std::FILE* File() const { return file_; }   // for writers that take a FILE*
    const std::string& Error() const { return error_; }

private:
    void Fail(int error);

    std::string target_;     // the name the file ends up under
    std::string temporary_;  // where it is written meanwhile (empty: in place)
    std::string error_;
    std::FILE* file_ = nullptr;
};
