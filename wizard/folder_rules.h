#pragma once
// The welcome page's rules for its destination folder box: what Next accepts, what
// a folder picked with Browse becomes, and where the picker opens.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// OnBrowse and the picker's callback work in buffers of 264 units (263 characters).
inline constexpr std::size_t kBrowsePathMaxUnits = 263;

// The drive part of a path as the C runtime's path splitting sees it: the first two
// characters when the second one is a colon, else nothing.
std::u16string_view DrivePartOf(std::u16string_view path);

// Next on the welcome page goes on only with a text that has a drive part: "C:" and
// "C:\x" pass; "", "\\server\share\x", "x\y" and " C:\x" do not. Nothing else about
// the folder is checked here; the installation creates it.
bool IsAcceptableDestination(std::u16string_view folderText);

// What Browse puts into the box for the folder the picker returned: the folder with
// a trailing backslash and "Lumora\" added, unless its last level already is Lumora
// (in any case). A drive root always gets "Lumora\". nullopt when the result would
// not fit in the 264-unit buffer: the box then keeps its text.
std::optional<std::u16string> FolderForPickedPath(std::u16string_view picked);

// The folder the picker opens on: the box's text (cut to the buffer) without its
// trailing backslash, unless it is a drive root such as "D:\".
std::u16string PickerStartFolder(std::u16string_view folderText);

}  // namespace lumora
