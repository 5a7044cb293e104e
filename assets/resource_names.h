#pragma once
// Names of the resources that assets/converter.rc puts into the program.
// Every picture is named by a string; the manifest alone has a number.

namespace assets {

// Icon group: the main window's icon and the program's icon in Explorer.
inline constexpr const wchar_t* kMainIcon = L"MAINICON";

// Bitmaps (RT_BITMAP).
inline constexpr const wchar_t* kBitmapA = L"BITMAP_A";    // 160x160, 8 bpp: main window and unit lists
inline constexpr const wchar_t* kPictureP = L"PICTURE_P";  // 163x153, 24 bpp: About box picture
inline constexpr const wchar_t* kPictureF = L"PICTURE_F";  // 420x351, 24 bpp: About box background
inline constexpr const wchar_t* kPictureW = L"PICTURE_W";  // 128x60, 4 bpp: About box OK button

// Application manifest: resource 1 of type RT_MANIFEST.
inline constexpr int kManifestId = 1;

}  // namespace assets
