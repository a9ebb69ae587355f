#pragma once

#include <string>

// The C library's stat as Windows's msvcrt answers it. There it reads the
// file's folder entry, which on NTFS may still hold the size the file had when
// the entry was last written, not what has reached the file since; and it
// refuses every path holding "?" or "*", so every long-path name (\\?\...).
// While a LaggingListing lives, _wstat64 (which std::filesystem calls on this
// toolchain) answers so: every path with "?" or "*" fails with ENOENT, and the
// file at path keeps the size it had when the LaggingListing was made (0 when
// it did not exist yet). A program that links this has _wstat64 wrapped.
class LaggingListing
{
public:
    explicit LaggingListing(const std::wstring& path);
    ~LaggingListing();
    LaggingListing(const LaggingListing&) = delete;
    LaggingListing& operator=(const LaggingListing&) = delete;
};
