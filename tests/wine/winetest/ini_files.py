"""The viewer's settings files as an installation leaves them."""

UNICODE_HEADER = "; UNICODE FILE - edit with care ;-)\r\n\r\n"


def ansi_ini(*sections) -> bytes:
    """An INI file as Wine's WritePrivateProfileStringW creates it: CP1252, CR LF,
    no empty line between sections. `sections`: (name, [(key, value), ...])."""
    text = "".join(f"[{name}]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys)
                   for name, keys in sections)
    return text.encode("cp1252")


def unicode_ini(*sections) -> bytes:
    """The same file after the installation's conversion: FF FE, the header line and
    an empty line, then the former lines in UTF-16LE."""
    return b"\xff\xfe" + (UNICODE_HEADER + ansi_ini(*sections).decode("cp1252")).encode("utf-16-le")


def first_run_sections(skin="Granite_24.png", size="24"):
    """The keys of a first installation's active file. Wine without a display, like
    the 1280x1024 virtual display, reports 96 dpi and a full-screen height between
    768 and 1200: the 24-pixel toolbar."""
    return (("Language", [("DLL", "ENGLISH"), ("Lang", "English")]),
            ("Toolbar", [("Skin", skin), ("Size", size)]))


def parse_ini(raw: bytes) -> dict:
    """{section: {key: value}} of an ANSI or UTF-16 INI file (comments dropped)."""
    text = raw[2:].decode("utf-16-le") if raw[:2] == b"\xff\xfe" else raw.decode("cp1252")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif current is not None and "=" in line:
            key, _, value = line.partition("=")
            current[key] = value
    return sections


def as_dict(sections) -> dict:
    """The (name, [(key, value)]) form as parse_ini gives it."""
    return {name: dict(keys) for name, keys in sections}
