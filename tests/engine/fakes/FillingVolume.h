#pragma once

#include <cstdint>
#include <string>

// A volume that fills up, for one file. While a FillingVolume lives, the file
// at its path, once opened with _wfopen, holds at most room bytes: a write
// that would take it further writes what still fits and fails (ENOSPC), as on
// a full disk. Every other file, stdout and stderr included, is written as
// usual. A program linked with
//   -Wl,--wrap=fwrite -Wl,--wrap=fclose -Wl,--wrap=__imp__wfopen
// (the glintcast_filling_volume target) writes its files through here. One at a time.
class FillingVolume
{
public:
    FillingVolume(std::wstring path, int64_t room);
    ~FillingVolume();
    FillingVolume(const FillingVolume&) = delete;
    FillingVolume& operator=(const FillingVolume&) = delete;

    // Writes to the file that did not go through whole.
    int RefusedWrites() const;
};
