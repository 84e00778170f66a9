// output_file.h - a file that appears under its name only when complete,
// the one way every output of osk is written (the plot library's exports,
// CDib's files, the recordings and dumps).
//
// The bytes go to a fresh temporary file beside the target, created
// exclusively (no one else's file of that name is touched, two writers get
// two temporaries) and readable only by its owner while it is written.  Its
// name is the target's, cut to a bounded length, followed by ".tmpN", so a
// target of the longest name the system allows can be written.  At the
// commit the file gets its final mode (the mode of the file it replaces, or
// 0666 less the umask for a new one), goes to the disk, is renamed onto the
// name, and the rename goes to the disk too.  On any failure the temporary
// is removed: a file that was there stays as it was, and no cut or empty
// file is left under the name.
//
// Links and permissions are those of the shell's `>`: a symbolic link keeps
// pointing at the file it names (also a link to a file not yet there); a
// file that may not be written is not replaced (EACCES); a file that may be
// written in a directory that may not is written in place, as `>` does; a
// device or a pipe is written in place.
//
// Standard library only, with the system's file calls (POSIX, or Windows
// inside _WIN32).  Each object owns its temporary and its open file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // an uncommitted file is discarded
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Starts the file for `target`; false with Error() set.
    bool Open(const std::string& target);
    // Appends bytes; false (and nothing more is written) after the first failure.
    bool Write(const void* data, std::size_t size);
    // Flushes, syncs, closes and puts the file under its name; false with
    // Error() set, the temporary removed.
    bool Commit();
    // Closes and removes the temporary (nothing under the name changes).
    void Discard();

    bool IsOpen() const { return file_ != nullptr; }
    std::FILE* File() const { return file_; }  // for writers that take a FILE*
    const std::string& Error() const { return error_; }
    // Where the bytes go until the commit: the temporary, or the target
    // itself when it is written in place.
    const std::string& WritingPath() const { return temporary_.empty() ? target_ : temporary_; }

private:
    void Fail(int error);
    bool OpenInPlace();
    bool OpenTemporary(int* error);
    bool SyncAndClose();

    std::string target_;     // the file the bytes end up in (links resolved)
    std::string temporary_;  // where they are written meanwhile (empty: in place)
    std::string error_;
    std::FILE* file_ = nullptr;
    bool replacing_ = false;  // a regular file is there: its mode is kept
    unsigned finalMode_ = 0;  // the mode the file gets at the commit
    long ownerId_ = -1;       // the replaced file's owner and group, kept where allowed
    long groupId_ = -1;
};
