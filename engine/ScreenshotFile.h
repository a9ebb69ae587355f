#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>

// The 54 bytes before the pixels of a 32-bit uncompressed bottom-up BMP file of
// width x height pixels: the file header and the information header.
std::array<uint8_t, 54> BmpHeader(int width, int height);

// dir + "Glintcast_Screenshot - " + the local time as %Y_%m_%d_%H_%M_%S + ".bmp";
// from copy 2 on, " (copy)" stands before ".bmp", for a second taken in the same
// second.
std::wstring ScreenshotFileName(const std::wstring& dir, const std::tm& localTime, int copy = 1);
