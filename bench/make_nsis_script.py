#!/usr/bin/env python3
"""Writes the script of the peer installer: an NSIS installer (amd64, zlib) that does
the work of one silent installation of ours, in our order, so that the two can be
timed against each other:

  - unpacks the product folder into C:\\Program Files\\Lumora (NSIS' own zlib data
    block; file times kept);
  - writes the viewer's INI keys of a first installation into the default folder:
    the redirection to %APPDATA%\\Lumora there, language and toolbar keys in the
    redirected file;
  - makes the Start-menu program group and the two desktop links;
  - writes every registry entry of the registration pass with "/thumbs=1" and
    "/assoc=1": folder and drive verbs, class key, "Applications" entry, uninstall
    entry, application key with capabilities, registered-applications entry, and
    per extension the ProgID with its name, command and icon, the capability value,
    the extension's default and Explorer's per-user choice; one write per value as
    ours does (the shared ProgIDs are written once per extension);
  - reloads the system icons and notifies the shell.

What it does not do: the running-viewer check, the icon library rule, the temporary
copy of the archive and the final UTF-16 rewrite of the INI file (all small, or
fixed by the design of ours).

    make_nsis_script.py PRODUCT_FOLDER OUTPUT_EXE SCRIPT [--no-files]

--no-files leaves out the unpacking: that installer's size is NSIS' stub overhead
for this work.
"""
import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "wine"))

from winetest import file_types, links  # noqa: E402
from winetest.expected_registration import VERB  # noqa: E402

# Stands for $INSTDIR followed by a backslash until the strings are escaped.
INSTALL_FOLDER = "\x01"
VIEWER = INSTALL_FOLDER + "l_mora64.exe"
OPEN_COMMAND = f'"{VIEWER}" "%1"'
SELECTED_ROWS = range(file_types.IMAGE_ROW_COUNT)  # "/assoc=1"

ROOTS = {"HKEY_LOCAL_MACHINE": "HKLM", "HKEY_CURRENT_USER": "HKCU", "HKEY_CLASSES_ROOT": "HKCR"}


def quoted(text: str, variable: str = "") -> str:
    """An NSIS string literal of `variable` (an NSIS variable, put in as is) followed
    by `text`, with $INSTDIR put in for the placeholder."""
    escaped = text.replace("$", "$$").replace('"', '$\\"')
    return '"' + variable + escaped.replace(INSTALL_FOLDER, "$INSTDIR\\") + '"'


class Script:
    def __init__(self):
        self.lines = []

    def add(self, *words):
        self.lines.append("  " + " ".join(words))

    def default(self, root, key, text):
        self.add("WriteRegStr", root, quoted(key), '""', quoted(text))

    def string(self, root, key, name, text):
        self.add("WriteRegStr", root, quoted(key), quoted(name), quoted(text))

    def dword(self, root, key, name, number):
        self.add("WriteRegDWORD", root, quoted(key), quoted(name), str(number))

    def delete_key(self, root, key):
        self.add("DeleteRegKey", root, quoted(key))

    def link(self, folder_variable, name, link: links.Link):
        """CreateShortCut with exactly the link's properties (no working folder)."""
        target = link.target.replace("C:\\Program Files\\Lumora\\", INSTALL_FOLDER)
        icon = link.icon_file.replace("C:\\Program Files\\Lumora\\", INSTALL_FOLDER)
        self.add("CreateShortCut", "/NoWorkingDir", quoted(name, folder_variable + "\\"), quoted(target),
                 quoted(link.arguments), quoted(icon), str(link.icon_index), '""', '""',
                 quoted(link.description))


def installation_body(script: Script, with_files: bool):
    folder = "C:\\Program Files\\Lumora\\"
    if with_files:
        script.add("SetOutPath", '"$INSTDIR"')
        script.add("File", "/r", '"${PRODUCT}\\*"')
    else:
        script.add("CreateDirectory", '"$INSTDIR\\Plugins"')

    # The INI keys of a first installation into the default folder.
    script.add("WriteINIStr", '"$INSTDIR\\l_mora64.ini"', '"Others"', '"INI_Folder"', quoted("%APPDATA%\\Lumora"))
    script.add("CreateDirectory", '"$APPDATA\\Lumora"')
    active = '"$APPDATA\\Lumora\\l_mora64.ini"'
    script.add("WriteINIStr", active, '"Language"', '"DLL"', '"ENGLISH"')
    script.add("WriteINIStr", active, '"Language"', '"Lang"', '"English"')
    script.add("ReadINIStr", "$0", active, '"Toolbar"', '"Skin"')
    script.add('StrCmp $0 "" 0 skin_done')
    script.add("WriteINIStr", active, '"Toolbar"', '"Skin"', '"Granite_24.png"')
    script.add("WriteINIStr", active, '"Toolbar"', '"Size"', '"24"')
    script.lines.append("  skin_done:")

    # Shortcuts: the program group, then the desktop links ("/group=1 /desktop=1 /thumbs=1").
    group = links.program_group_links(folder, version_class=7)
    script.add("CreateDirectory", '"$SMPROGRAMS\\Lumora"')
    names = list(group)
    script.link("$SMPROGRAMS\\Lumora", names[0], group[names[0]])
    for old in ("4.70", "4.67"):
        script.add("Delete", quoted(f"Lumora 64 {old}.lnk", "$SMPROGRAMS\\Lumora\\"))
    for name in names[1:]:
        script.link("$SMPROGRAMS\\Lumora", name, group[name])
    for name, link in links.desktop_links(folder, desktop=True, thumbnails=True).items():
        script.link("$DESKTOP", name, link)

    # The verbs, the application's entries and the uninstall entry, in our order.
    thumbs_command = f'"{VIEWER}" "%1" /thumbs'
    for owner in ("Directory", "Drive"):
        script.default("HKLM", f"SOFTWARE\\Classes\\{owner}\\shell\\{VERB}", VERB)
        script.default("HKLM", f"SOFTWARE\\Classes\\{owner}\\shell\\{VERB}\\command", thumbs_command)
    script.default("HKLM", "SOFTWARE\\Classes\\Lumora", "Lumora")
    script.default("HKLM", "SOFTWARE\\Classes\\Lumora\\shell\\open\\command", OPEN_COMMAND)
    script.delete_key("HKLM", "SOFTWARE\\Classes\\Lumora\\DefaultIcon")
    script.default("HKCR", "Applications\\l_mora64.exe\\shell\\open\\command", OPEN_COMMAND)
    script.string("HKCR", "Applications\\l_mora64.exe", "FriendlyAppName", "Lumora 64-bit")
    uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64"
    script.default("HKLM", uninstall, "")
    for name, text in (("DisplayName", "Lumora 4.72 (64-bit)"),
                       ("UninstallString", f'"{INSTALL_FOLDER}lm_uninstall.exe"'),
                       ("Publisher", "Dravenko"),
                       ("InstallLocation", INSTALL_FOLDER),
                       ("DisplayVersion", "4.72"),
                       ("DisplayIcon", f"{VIEWER},0")):
        script.string("HKLM", uninstall, name, text)
    for name, number in (("VersionMajor", 4), ("VersionMinor", 72), ("EstimatedSize", 8192)):
        script.dword("HKLM", uninstall, name, number)
    script.default("HKLM", "SOFTWARE\\Lumora\\shell\\open\\command", f'"{VIEWER}"')
    script.string("HKLM", "SOFTWARE\\Lumora\\Capabilities", "ApplicationDescription",
                  "Picture viewer, editor and converter - one of the most popular viewers worldwide")
    script.string("HKLM", "SOFTWARE\\RegisteredApplications", "Lumora", "SOFTWARE\\Lumora\\Capabilities")

    # The associations: every extension of every row, the chosen ones with their
    # defaults and Explorer choices.
    capabilities = "SOFTWARE\\Lumora\\Capabilities\\FileAssociations"
    for row_index, (_, registrations, icon) in enumerate(file_types.ROWS):
        selected = row_index in SELECTED_ROWS
        icon_text = "%1" if icon == file_types.OWN_ICON else f"{VIEWER},{icon}"
        for extension, suffix in registrations:
            prog_id = f"Lumora.{suffix}"
            if selected or extension in file_types.ALWAYS_DEFAULT_EXTENSIONS:
                script.default("HKLM", f"SOFTWARE\\Classes\\.{extension}", prog_id)
            script.default("HKLM", f"SOFTWARE\\Classes\\{prog_id}", f"Lumora {suffix.upper()} File")
            script.default("HKLM", f"SOFTWARE\\Classes\\{prog_id}\\shell\\open\\command", OPEN_COMMAND)
            script.default("HKLM", f"SOFTWARE\\Classes\\{prog_id}\\DefaultIcon", icon_text)
            script.string("HKLM", capabilities, f".{extension}", prog_id)
            if selected:
                choice = f"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.{extension}\\UserChoice"
                script.delete_key("HKCU", choice)
                script.string("HKCU", choice, "Progid", prog_id)
    script.add("System::Call", quoted("user32::SystemParametersInfoW(i 0x58, i 0, p 0, i 3)"))
    script.add("System::Call", quoted("shell32::SHChangeNotify(i 0x08000000, i 0x3000, p 0, p 0)"))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("product")
    parser.add_argument("output_exe")
    parser.add_argument("script")
    parser.add_argument("--no-files", action="store_true")
    args = parser.parse_args()

    body = Script()
    installation_body(body, with_files=not args.no_files)
    header = [
        "; Generated by make_nsis_script.py: the benchmark's peer installer.",
        "Target amd64-unicode",
        "SetCompressor zlib",
        f'!define PRODUCT "{Path(args.product).resolve()}"',
        'Name "Lumora"',
        f'OutFile "{Path(args.output_exe).resolve()}"',
        'InstallDir "$PROGRAMFILES64\\Lumora"',
        "RequestExecutionLevel admin",
        "SilentInstall silent",
        "",
        'Section "Install"',
        "  SetShellVarContext current",
        "  FindWindow $1 \"Lumora\"",
    ]
    Path(args.script).write_text("\n".join(header + body.lines + ["SectionEnd", ""]), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
