#pragma once

#include <cstdint>
#include <string>

// What the file system itself holds for a file, asked of the file through a
// handle of its own rather than of its folder. A folder's entry (what the C
// library's stat reads on Windows) may still hold the size a file had when the
// entry was last written, not what has reached the file since, and stat refuses
// every long-path name (\\?\...). Both work for every path form, and for a file
// another handle holds open for writing.

// The file's size now; false, leaving *size alone, when it cannot be read.
bool FileSizeOnDisk(const std::wstring& path, int64_t* size);

// Cuts the file back to size bytes; a file no longer than that stays as it is.
// False when the file cannot be opened or cut.
bool CutFileOnDisk(const std::wstring& path, int64_t size);
