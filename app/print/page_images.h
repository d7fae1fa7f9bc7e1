// Saving the printed pages as pictures: the size of a page's picture, the files the pictures of a
// range go to, and what the user is told. Drawing them and writing the PNG files is in
// page_images_win.cpp.
//
// Each page the print job would print for a range becomes one picture of an A4 landscape sheet at
// 200 dots per inch; the pages are split as the print job splits them (print_page_plan.h) with
// the days per page that fit the picture.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "date_ymd.h"

struct SignStore;

inline constexpr int kPageImageDpi = 200;

struct PixelSize {
  int width = 0;
  int height = 0;
};

// An A4 landscape sheet (297 x 210 mm) at `dpi` dots per inch, each side rounded to the nearest
// pixel: 2339 x 1654 at 200.
PixelSize A4LandscapePixels(int dpi);

// The pictures from..to makes: as many as the pages the print job prints for that range, with
// the days per page that fit a picture (63; more while the signs band takes its rows).
int PageImageCount(const DateYmd& from, const DateYmd& to, const SignStore* signs = nullptr);

// "Tovela-<from YYYYMMDD>-<to YYYYMMDD>.png".
std::u16string DefaultPageImageName(const DateYmd& from, const DateYmd& to);

// The files of `pageCount` pictures for the file chosen in the save dialog: that file for one
// page; for more, "<name>-1<ext>" ... "<name>-N<ext>" in its folder, <name> and <ext> being the
// chosen file's name without its extension and its extension.
std::vector<std::filesystem::path> PageImageFiles(const std::filesystem::path& chosen,
                                                  int pageCount);

// After saving: how many pictures, their folder and each file's name.
std::u16string PageImagesSavedText(const std::vector<std::filesystem::path>& files);
// Before saving several pictures over files that exist (the save dialog asked only about the
// chosen name, which is not written then): their names, and whether to overwrite them.
std::u16string PageImagesOverwriteText(const std::vector<std::filesystem::path>& existing);
// A picture that could not be written: its file, and the likely causes.
std::u16string PageImageNotWrittenText(const std::filesystem::path& file);

inline constexpr char16_t kPageImagesCaption[] = u"Tovela";
// The pictures could not be drawn or encoded (no memory, no PNG encoder).
inline constexpr char16_t kPageImagesNotDrawnText[] = u"グラフの画像を作れませんでした。";
