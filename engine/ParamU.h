// The application settings record. The main window owns the one instance and
// fills it from "Brightlane.ini"; every other part of the program reads it
// through AppParam().
#pragma once

#include <cstdint>
#include <string>

struct TParam {
    int32_t MeshCols = 180;  // points round the outline (50 in draft mode)
    int32_t MeshRows = 90;   // rings along the profile (30 in draft mode)
    uint32_t FonColor = 0xC0C0C0;
    std::string LangFile;
    bool UsePreview = true;
    bool UseAccelerator = false;
    uint8_t BmpPixelFormat = 6;  // 2 = 4 bits ... 6 = 24 bits, 7 = 32 bits
    uint8_t JpgPixelFormat = 0;  // 0 = 24 bits, 1 = 8 bits
    uint8_t JpgCompressionQuality = 90;
    uint8_t JpgPerformance = 0;
    bool JpgSmoothing = false;
    int32_t BatchExp = 0;  // 0 GIF, 1 BMP, 2 JPEG, 3 icon, 4 WMF, 5 EMF
};

// The process-wide settings record.
TParam &AppParam();
