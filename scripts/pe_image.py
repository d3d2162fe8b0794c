"""A reader for the parts of PE images (EXE and DLL, 32 and 64 bits) that our build
and tests look at: the section table, imported DLLs, the resource tree and version
resources. Standard library only; raises PeError on anything malformed."""

import struct

RT_ICON = 3
RT_STRING = 6
RT_BITMAP = 2
RT_RCDATA = 10
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24


class PeError(Exception):
    pass


class Section:
    def __init__(self, name, virtual_address, virtual_size, raw_offset, raw_size):
        self.name = name
        self.virtual_address = virtual_address
        self.virtual_size = virtual_size
        self.raw_offset = raw_offset
        self.raw_size = raw_size


class PeImage:
    def __init__(self, data):
        self.data = bytes(data)
        if self.data[:2] != b"MZ" or len(self.data) < 0x40:
            raise PeError("no MZ header")
        pe = self._u32(0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        self.machine, section_count = struct.unpack_from("<HH", self.data, pe + 4)
        optional_size, self.characteristics = struct.unpack_from("<HH", self.data, pe + 20)
        optional = pe + 24
        magic = self._u16(optional)
        if magic == 0x10B:
            self.is_64_bit = False
            directories = optional + 96
        elif magic == 0x20B:
            self.is_64_bit = True
            directories = optional + 112
        else:
            raise PeError(f"unknown optional header magic {magic:#x}")
        self.file_alignment = self._u32(optional + 36)
        self.subsystem = self._u16(optional + 68)
        directory_count = self._u32(directories - 4)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i)
                            for i in range(min(directory_count, 16))]
        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            entry = table + 40 * i
            name = self.data[entry:entry + 8].rstrip(b"\0").decode("ascii", "replace")
            virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
                "<IIII", self.data, entry + 8)
            self.sections.append(Section(name, virtual_address, virtual_size, raw_offset, raw_size))

    def _u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def _u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset_of(self, rva):
        for section in self.sections:
            if section.virtual_address <= rva < section.virtual_address + max(section.virtual_size, section.raw_size):
                offset = rva - section.virtual_address
                if offset >= section.raw_size:
                    raise PeError(f"RVA {rva:#x} lies in the uninitialised part of {section.name}")
                return section.raw_offset + offset
        raise PeError(f"RVA {rva:#x} lies in no section")

    def _c_string(self, rva):
        start = self.offset_of(rva)
        end = self.data.index(b"\0", start)
        return self.data[start:end].decode("ascii")

    def imported_dlls(self):
        """Names of every DLL the image imports, directly or delay-loaded, as written."""
        names = []
        for directory, entry_size, name_field in ((1, 20, 12), (13, 32, 4)):
            if directory >= len(self.directories):
                continue
            rva, size = self.directories[directory]
            if rva == 0 or size == 0:
                continue
            offset = self.offset_of(rva)
            while True:
                entry = self.data[offset:offset + entry_size]
                if len(entry) < entry_size or entry == bytes(entry_size):
                    break
                name_rva = struct.unpack_from("<I", entry, name_field)[0]
                if name_rva:
                    names.append(self._c_string(name_rva))
                offset += entry_size
        return names

    def resources(self):
        """The resource tree as {type: {name: {language: bytes}}}; types and names are
        ints for numeric identifiers and upper-case strings for named ones."""
        if len(self.directories) <= 2 or self.directories[2][0] == 0:
            return {}
        base = self.offset_of(self.directories[2][0])

        def directory(offset, depth):
            named, numbered = struct.unpack_from("<HH", self.data, offset + 12)
            result = {}
            for i in range(named + numbered):
                identifier, target = struct.unpack_from("<II", self.data, offset + 16 + 8 * i)
                if identifier & 0x80000000:
                    at = base + (identifier & 0x7FFFFFFF)
                    length = self._u16(at)
                    key = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le").upper()
                else:
                    key = identifier
                if target & 0x80000000:
                    if depth == 2:
                        raise PeError("resource tree deeper than three levels")
                    result[key] = directory(base + (target & 0x7FFFFFFF), depth + 1)
                else:
                    if depth != 2:
                        raise PeError("resource data above the language level")
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset_of(data_rva)
                    result[key] = self.data[start:start + data_size]
            return result

        return directory(base, 0)

    def resource(self, kind, name):
        """The data of one resource in its first language, or None."""
        languages = self.resources().get(kind, {}).get(name)
        if not languages:
            return None
        return next(iter(languages.values()))


def _version_node(data, offset):
    """One VS_VERSIONINFO-style node: (key, value, children, end offset)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
    if length < 6 or offset + length > len(data):
        raise PeError("malformed version resource")
    end = offset + length
    key_start = offset + 6
    key_end = key_start
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_start:key_end].decode("utf-16-le")
    cursor = (key_end + 2 + 3) & ~3
    if value_type == 1:  # text, length counted in characters
        raw = data[cursor:cursor + 2 * value_length]
        value = raw.decode("utf-16-le").split("\0", 1)[0]
        cursor += 2 * value_length
    else:
        value = data[cursor:cursor + value_length]
        cursor += value_length
    cursor = (cursor + 3) & ~3
    children = []
    while cursor < end:
        child = _version_node(data, cursor)
        children.append(child)
        cursor = (child[3] + 3) & ~3
    return key, value, children, end


class VersionInfo:
    """The fixed file information and the string tables of a version resource."""

    def __init__(self, data):
        key, value, children, _ = _version_node(data, 0)
        if key != "VS_VERSION_INFO" or len(value) < 52:
            raise PeError("no VS_VERSION_INFO with fixed file information")
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", value)
        if signature != 0xFEEF04BD:
            raise PeError("bad VS_FIXEDFILEINFO signature")
        self.file_version = (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF)
        self.product_version = (product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF)
        self.file_type = struct.unpack_from("<I", value, 36)[0]
        self.strings = {}  # block name (like "040904E4") -> {key: value}
        for child_key, _, blocks, _ in children:
            if child_key != "StringFileInfo":
                continue
            for block_key, _, entries, _ in blocks:
                self.strings[block_key.upper()] = {k: v for k, v, _, _ in entries}
