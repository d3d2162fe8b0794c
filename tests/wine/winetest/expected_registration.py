"""What a silent installation must leave in the registry, built from the documented
tables of the registration pass and the file associations, independently of the
product's code.

`expected_registry` gives {key: {value name: Value}} (keys with the long root name;
an empty dict: the key must exist, its values are not the pass's business) and
`forbidden_keys` the keys that must not exist afterwards. HKEY_CLASSES_ROOT is
Wine 8's alias of HKLM\\Software\\Classes, so "Applications" lands there.
"""
from dataclasses import dataclass

from . import file_types
from .registry import dword, sz

CLASSES = r"HKEY_LOCAL_MACHINE\Software\Classes"
APPLICATION_KEY = r"HKEY_LOCAL_MACHINE\Software\Lumora"
UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora64"
REGISTERED_APPLICATIONS = r"HKEY_LOCAL_MACHINE\Software\RegisteredApplications"
USER_FILE_EXTS = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts"
USER_CLASSES = r"HKEY_CURRENT_USER\Software\Classes"

VERB = "Browse with &Lumora"
APPX_PROGIDS = (
    "AppXvhc4p7vz4b485xfp46hhk3fq3grkdgjg",
    "AppXk0g4vb8gvt7b93tg50ybcy892pge6jmt",
    "AppX43hnxtbyyps62jhe9sqpdzxn1790zetc",
    "AppX9rkaq77s0jzh1tyccadx9ghba15r6t3h",
    "AppX6eg8h5sxqq90pv53845wmnbewywdqq5h",
)

# The subtrees in which the pass writes: a comparison before/after an installation
# looks at these only, where nothing else (Wine included) writes during a run.
SCOPE = (CLASSES, APPLICATION_KEY, UNINSTALL_KEY, REGISTERED_APPLICATIONS, USER_FILE_EXTS,
         USER_CLASSES)


@dataclass
class Installation:
    """The choices of one silent run that decide the registry."""
    install_folder: str  # with its trailing backslash
    thumbnails: bool = False
    selected_rows: frozenset = frozenset()
    register_associations: bool = False
    version_class: int = 7

    @property
    def viewer_path(self):
        return self.install_folder + "l_mora64.exe"

    @property
    def open_command(self):
        return f'"{self.viewer_path}" "%1"'


def assoc_option(value: int, install_folder: str, **kw) -> Installation:
    """The installation that "/assoc=<value>" asks for."""
    rows = {1: range(file_types.IMAGE_ROW_COUNT), 2: range(len(file_types.ROWS))}.get(value, ())
    return Installation(install_folder, selected_rows=frozenset(rows),
                        register_associations=value in (1, 2), **kw)


def _icon(installation: Installation, icon) -> str:
    return "%1" if icon == file_types.OWN_ICON else f"{installation.viewer_path},{icon}"


def expected_registry(inst: Installation) -> dict:
    keys: dict = {}

    def put(key, name, value):
        keys.setdefault(key, {})[name] = value

    if inst.thumbnails:
        thumbs_command = f'"{inst.viewer_path}" "%1" /thumbs'
        for owner in ("Directory", "Drive"):
            put(rf"{CLASSES}\{owner}\shell\{VERB}", "", sz(VERB))
            put(rf"{CLASSES}\{owner}\shell\{VERB}\command", "", sz(thumbs_command))
    put(rf"{CLASSES}\Lumora", "", sz("Lumora"))
    put(rf"{CLASSES}\Lumora\shell\open\command", "", sz(inst.open_command))
    put(rf"{CLASSES}\Applications\l_mora64.exe\shell\open\command", "", sz(inst.open_command))
    put(rf"{CLASSES}\Applications\l_mora64.exe", "FriendlyAppName", sz("Lumora 64-bit"))

    for name, value in (
            ("", sz("")),
            ("DisplayName", sz("Lumora 4.72 (64-bit)")),
            ("UninstallString", sz(f'"{inst.install_folder}lm_uninstall.exe"')),
            ("Publisher", sz("Dravenko")),
            ("InstallLocation", sz(inst.install_folder)),
            ("DisplayVersion", sz("4.72")),
            ("DisplayIcon", sz(f"{inst.viewer_path},0")),
            ("VersionMajor", dword(4)),
            ("VersionMinor", dword(72)),
            ("EstimatedSize", dword(8192))):
        put(UNINSTALL_KEY, name, value)

    keys.setdefault(APPLICATION_KEY, {})
    put(rf"{APPLICATION_KEY}\shell\open\command", "", sz(f'"{inst.viewer_path}"'))
    put(rf"{APPLICATION_KEY}\Capabilities", "ApplicationDescription",
        sz("Picture viewer, editor and converter - one of the most popular viewers worldwide"))
    capabilities = rf"{APPLICATION_KEY}\Capabilities\FileAssociations"
    keys.setdefault(capabilities, {})
    put(REGISTERED_APPLICATIONS, "Lumora", sz(r"SOFTWARE\Lumora\Capabilities"))

    for row_index, (_, registrations, icon) in enumerate(file_types.ROWS):
        selected = row_index in inst.selected_rows
        for extension, suffix in registrations:
            prog_id = f"Lumora.{suffix}"
            if selected or extension in file_types.ALWAYS_DEFAULT_EXTENSIONS:
                put(rf"{CLASSES}\.{extension}", "", sz(prog_id))
            put(rf"{CLASSES}\{prog_id}", "", sz(f"Lumora {suffix.upper()} File"))
            put(rf"{CLASSES}\{prog_id}\shell\open\command", "", sz(inst.open_command))
            put(rf"{CLASSES}\{prog_id}\DefaultIcon", "", sz(_icon(inst, icon)))
            put(capabilities, f".{extension}", sz(prog_id))
            if selected:
                put(rf"{USER_FILE_EXTS}\.{extension}\UserChoice", "Progid", sz(prog_id))

    if inst.register_associations and inst.version_class == 10:
        for prog_id in APPX_PROGIDS:
            put(rf"{USER_CLASSES}\{prog_id}", "NoOpenWith", sz(""))
    return keys


def forbidden_keys(inst: Installation) -> list:
    """Keys that must not exist after the installation."""
    keys = [rf"{CLASSES}\Lumora\DefaultIcon"]
    if not inst.thumbnails:
        keys += [rf"{CLASSES}\Directory\shell\{VERB}", rf"{CLASSES}\Drive\shell\{VERB}"]
    if not (inst.register_associations and inst.version_class == 10):
        keys += [rf"{USER_CLASSES}\{p}" for p in APPX_PROGIDS]
    for row_index, (_, registrations, _) in enumerate(file_types.ROWS):
        if row_index not in inst.selected_rows:
            keys += [rf"{USER_FILE_EXTS}\.{e}\UserChoice" for e, _ in registrations]
    return keys
