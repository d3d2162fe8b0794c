#include "system/file_type_table.h"

#include <string>

namespace lumora {
namespace {

// An extension under its own ProgID.
constexpr ExtensionRegistration Own(std::u16string_view extension) { return {extension, extension}; }
// An extension under the ProgID of another extension of its row.
constexpr ExtensionRegistration SharedWith(std::u16string_view extension, std::u16string_view progIdSuffix) {
  return {extension, progIdSuffix};
}

// Rows whose several extensions keep their own ProgIDs are written with Own() for
// each: "CRW/CR2/CR3", "MNG/JNG", "SWF/FLV", "MID/RMI", and "mpe" in "MPG/MPE/MPEG".
constexpr std::array<FileTypeRow, kFileTypeRowCount> kRows{{
    {u"ANI", u"Animated Windows Cursors *", {Own(u"ani")}, kFileOwnIcon},
    {u"B3D", u"BodyPaint 3D Format *", {Own(u"b3d")}, kViewerIcon},
    {u"BMP/DIB", u"Windows Bitmap", {Own(u"bmp"), SharedWith(u"dib", u"bmp")}, kViewerIcon},
    {u"CLP", u"Windows Clipboard *", {Own(u"clp")}, kViewerIcon},
    {u"CRW/CR2/CR3", u"Canon RAW Format *", {Own(u"crw"), Own(u"cr2"), Own(u"cr3")}, kViewerIcon},
    {u"CUR", u"Windows Cursor", {Own(u"cur")}, kFileOwnIcon},
    {u"DCM/ACR/IMA", u"DICOM Format *", {Own(u"dcm"), SharedWith(u"acr", u"dcm"), SharedWith(u"ima", u"dcm")},
     kViewerIcon},
    {u"DCX", u"Multipage Zsoft Paintbrush", {Own(u"dcx")}, kViewerIcon},
    {u"DDS", u"Direct Draw Surface *", {Own(u"dds")}, kViewerIcon},
    {u"DJVU/IW44", u"DjVu Format *", {Own(u"djvu"), SharedWith(u"iw44", u"djvu")}, kViewerIcon},
    {u"DXF", u"Drawing Interchange Format *", {Own(u"dxf")}, kViewerIcon},
    {u"ECW", u"Enhanced Compressed Wavelet *", {Own(u"ecw")}, kViewerIcon},
    {u"EMF", u"Enhanced Windows Metafile", {Own(u"emf")}, kViewerIcon},
    {u"EPS/PS", u"PostScript Format *", {Own(u"eps"), SharedWith(u"ps", u"eps")}, kViewerIcon},
    {u"EXR", u"EXR Format *", {Own(u"exr")}, kViewerIcon},
    {u"G3", u"G3 FAX Format *", {Own(u"g3")}, kViewerIcon},
    {u"GIF", u"Compuserve GIF", {Own(u"gif")}, kViewerIcon},
    {u"HDP/JXR/WDP", u"JPEG-XR/HD-Photo Format *",
     {Own(u"hdp"), SharedWith(u"jxr", u"hdp"), SharedWith(u"wdp", u"hdp")}, kViewerIcon},
    {u"HEIC", u"High Efficiency Image File Format *", {Own(u"heic")}, kViewerIcon},
    {u"ICO", u"Windows Icon", {Own(u"ico")}, kFileOwnIcon},
    {u"IFF/LBM", u"Amiga Interchange File Format *", {Own(u"iff"), SharedWith(u"lbm", u"iff")}, kViewerIcon},
    {u"JLS", u"JPEG-LS Format *", {Own(u"jls")}, kViewerIcon},
    {u"JP2/JPC/J2K", u"JPEG2000 Format *", {Own(u"jp2"), SharedWith(u"jpc", u"jp2"), SharedWith(u"j2k", u"jp2")},
     kViewerIcon},
    {u"JPG/JPEG/JFIF/JPE", u"JPEG Format",
     {Own(u"jpg"), SharedWith(u"jpeg", u"jpg"), SharedWith(u"jfif", u"jpg"), SharedWith(u"jpe", u"jpg")},
     kViewerIcon},
    {u"JPM", u"JPM Format *", {Own(u"jpm")}, kViewerIcon},
    {u"JXL", u"JPEG XL Format *", {Own(u"jxl")}, kViewerIcon},
    {u"MNG/JNG", u"Multiple Network Graphics *", {Own(u"mng"), Own(u"jng")}, kViewerIcon},
    {u"PBM", u"Portable Bitmap", {Own(u"pbm")}, kViewerIcon},
    {u"PCD", u"Kodak Photo CD", {Own(u"pcd")}, kViewerIcon},
    {u"PCX", u"Zsoft Paintbrush", {Own(u"pcx")}, kViewerIcon},
    {u"PGM", u"Portable Greymap", {Own(u"pgm")}, kViewerIcon},
    {u"PNG", u"Portable Network Graphics", {Own(u"png")}, kViewerIcon},
    {u"PPM", u"Portable Pixelmap", {Own(u"ppm")}, kViewerIcon},
    {u"PSD", u"Adobe Photoshop Image", {Own(u"psd")}, kViewerIcon},
    {u"PSP", u"Paint Shop Pro Image *", {Own(u"psp")}, kViewerIcon},
    {u"QOI", u"Quite OK Image *", {Own(u"qoi")}, kViewerIcon},
    {u"RAS/SUN", u"Sun Raster Format *", {Own(u"ras"), SharedWith(u"sun", u"ras")}, kViewerIcon},
    {u"RAW", u"RAW Image Data *", {Own(u"raw")}, kViewerIcon},
    {u"RLE", u"Utah RLE Format *", {Own(u"rle")}, kViewerIcon},
    {u"SFF", u"Structured Fax Format *", {Own(u"sff")}, kViewerIcon},
    {u"SGI/RGB", u"Silicon Graphics Image *", {Own(u"sgi"), SharedWith(u"rgb", u"sgi")}, kViewerIcon},
    {u"SID", u"LizardTech MrSID Format *", {Own(u"sid")}, kViewerIcon},
    {u"TGA", u"Truevision Targa", {Own(u"tga")}, kViewerIcon},
    {u"TIF/TIFF", u"Tagged Image File Format", {Own(u"tif"), SharedWith(u"tiff", u"tif")}, kViewerIcon},
    {u"WBMP", u"WAP Bitmap *", {Own(u"wbmp")}, kViewerIcon},
    {u"WEBP", u"Weppy Format *", {Own(u"webp")}, kViewerIcon},
    {u"WMF", u"Windows Metafile", {Own(u"wmf")}, kViewerIcon},
    {u"XBM", u"X-Bitmap *", {Own(u"xbm")}, kViewerIcon},
    {u"XPM", u"X-Pixmap *", {Own(u"xpm")}, kViewerIcon},
    {u"SWF/FLV", u"Macromedia Flash Format *", {Own(u"swf"), Own(u"flv")}, kViewerIcon},
    {u"TTF", u"True Type Font Format *", {Own(u"ttf")}, kViewerIcon},
    {u"ASF", u"Advanced Systems Format *", {Own(u"asf")}, kVideoIcon},
    {u"AVI", u"Video for Windows *", {Own(u"avi")}, kVideoIcon},
    {u"MPG/MPE/MPEG", u"MPEG Movie *", {Own(u"mpg"), Own(u"mpe"), SharedWith(u"mpeg", u"mpg")}, kVideoIcon},
    {u"MOV", u"Apple QuickTime Movie *", {Own(u"mov")}, kVideoIcon},
    {u"WMV", u"Windows Media Video File *", {Own(u"wmv")}, kVideoIcon},
    {u"AIF", u"Audio Interchange Format *", {Own(u"aif")}, kAudioIcon},
    {u"MID/RMI", u"MIDI Sound Format *", {Own(u"mid"), Own(u"rmi")}, kAudioIcon},
    {u"MP3", u"MPEG Audio Format *", {Own(u"mp3")}, kAudioIcon},
    {u"OGG", u"Ogg Vorbis Audio Format *", {Own(u"ogg")}, kAudioIcon},
    {u"AU/SND", u"SUN Audio Format *", {Own(u"au"), SharedWith(u"snd", u"au")}, kAudioIcon},
    {u"WAV", u"Windows Audio Format *", {Own(u"wav")}, kAudioIcon},
    {u"WMA", u"Windows Media Audio File *", {Own(u"wma")}, kAudioIcon},
}};

}  // namespace

std::span<const FileTypeRow, kFileTypeRowCount> FileTypeTable() { return kRows; }

std::u16string IconString(const IconSource& icon, std::u16string_view viewerPath) {
  if (icon.fileOwnIcon) return u"%1";
  std::u16string text(viewerPath);
  text += u',';
  for (char digit : std::to_string(icon.viewerIconIndex)) text += static_cast<char16_t>(digit);
  return text;
}

}  // namespace lumora
