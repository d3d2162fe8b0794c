"""The 63 file types the setup program offers to associate, as independent test data.

Each row: (list text, [(extension, ProgID suffix), ...] in registration order,
icon), where icon is "own" (the file's own icon, "%1") or the icon index inside the
viewer executable. Rows 0-48 are the image rows that "/assoc=1" selects.
"""

OWN_ICON = "own"
IMAGE_ROW_COUNT = 49


def _same(*extensions):
    """Extensions that each are their own ProgID suffix."""
    return [(e, e) for e in extensions]


def _shared(*extensions):
    """Extensions that share the ProgID of the first one."""
    return [(e, extensions[0]) for e in extensions]


ROWS = [
    ("ANI", _same("ani"), OWN_ICON),
    ("B3D", _same("b3d"), 0),
    ("BMP/DIB", _shared("bmp", "dib"), 0),
    ("CLP", _same("clp"), 0),
    ("CRW/CR2/CR3", _same("crw", "cr2", "cr3"), 0),
    ("CUR", _same("cur"), OWN_ICON),
    ("DCM/ACR/IMA", _shared("dcm", "acr", "ima"), 0),
    ("DCX", _same("dcx"), 0),
    ("DDS", _same("dds"), 0),
    ("DJVU/IW44", _shared("djvu", "iw44"), 0),
    ("DXF", _same("dxf"), 0),
    ("ECW", _same("ecw"), 0),
    ("EMF", _same("emf"), 0),
    ("EPS/PS", _shared("eps", "ps"), 0),
    ("EXR", _same("exr"), 0),
    ("G3", _same("g3"), 0),
    ("GIF", _same("gif"), 0),
    ("HDP/JXR/WDP", _shared("hdp", "jxr", "wdp"), 0),
    ("HEIC", _same("heic"), 0),
    ("ICO", _same("ico"), OWN_ICON),
    ("IFF/LBM", _shared("iff", "lbm"), 0),
    ("JLS", _same("jls"), 0),
    ("JP2/JPC/J2K", _shared("jp2", "jpc", "j2k"), 0),
    ("JPG/JPEG/JFIF/JPE", _shared("jpg", "jpeg", "jfif", "jpe"), 0),
    ("JPM", _same("jpm"), 0),
    ("JXL", _same("jxl"), 0),
    ("MNG/JNG", _same("mng", "jng"), 0),
    ("PBM", _same("pbm"), 0),
    ("PCD", _same("pcd"), 0),
    ("PCX", _same("pcx"), 0),
    ("PGM", _same("pgm"), 0),
    ("PNG", _same("png"), 0),
    ("PPM", _same("ppm"), 0),
    ("PSD", _same("psd"), 0),
    ("PSP", _same("psp"), 0),
    ("QOI", _same("qoi"), 0),
    ("RAS/SUN", _shared("ras", "sun"), 0),
    ("RAW", _same("raw"), 0),
    ("RLE", _same("rle"), 0),
    ("SFF", _same("sff"), 0),
    ("SGI/RGB", _shared("sgi", "rgb"), 0),
    ("SID", _same("sid"), 0),
    ("TGA", _same("tga"), 0),
    ("TIF/TIFF", _shared("tif", "tiff"), 0),
    ("WBMP", _same("wbmp"), 0),
    ("WEBP", _same("webp"), 0),
    ("WMF", _same("wmf"), 0),
    ("XBM", _same("xbm"), 0),
    ("XPM", _same("xpm"), 0),
    ("SWF/FLV", _same("swf", "flv"), 0),
    ("TTF", _same("ttf"), 0),
    ("ASF", _same("asf"), 12),
    ("AVI", _same("avi"), 12),
    ("MPG/MPE/MPEG", [("mpg", "mpg"), ("mpe", "mpe"), ("mpeg", "mpg")], 12),
    ("MOV", _same("mov"), 12),
    ("WMV", _same("wmv"), 12),
    ("AIF", _same("aif"), 11),
    ("MID/RMI", _same("mid", "rmi"), 11),
    ("MP3", _same("mp3"), 11),
    ("OGG", _same("ogg"), 11),
    ("AU/SND", _shared("au", "snd"), 11),
    ("WAV", _same("wav"), 11),
    ("WMA", _same("wma"), 11),
]

# The extensions that point to the viewer after every installation, chosen or not.
ALWAYS_DEFAULT_EXTENSIONS = ("jpg", "png", "tif")

assert len(ROWS) == 63
assert sum(len(r[1]) for r in ROWS) == 87
assert len({s for r in ROWS for _, s in r[1]}) == 69
