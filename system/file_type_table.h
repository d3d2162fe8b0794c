#pragma once
// The fixed list of the 63 file types the setup program offers to associate with the
// viewer. One table drives the rows of the associations page, the slots of an
// AssociationSelection and the order of the association pass, all with the same row
// indices. Constant data: nothing changes it at run time.
#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "system/association_selection.h"

namespace lumora {

// One extension a row registers (lower-case ASCII, no dot) and the suffix of the
// ProgID it points to ("Lumora." + suffix). Usually the suffix is the extension;
// extensions that share a ProgID carry the suffix of the one that owns it.
struct ExtensionRegistration {
  std::u16string_view extension;
  std::u16string_view progIdSuffix;
  constexpr bool operator==(const ExtensionRegistration&) const = default;
};

// The one to four extensions of a row, in registration order.
class ExtensionRegistrations {
 public:
  static constexpr std::size_t kCapacity = 4;
  constexpr ExtensionRegistrations(std::initializer_list<ExtensionRegistration> items) : count_(items.size()) {
    std::size_t slot = 0;
    for (const ExtensionRegistration& item : items) items_[slot++] = item;
  }
  constexpr std::size_t size() const { return count_; }
  constexpr const ExtensionRegistration* begin() const { return items_.data(); }
  constexpr const ExtensionRegistration* end() const { return items_.data() + count_; }
  constexpr const ExtensionRegistration& operator[](std::size_t index) const { return items_[index]; }

 private:
  std::array<ExtensionRegistration, kCapacity> items_{};
  std::size_t count_;
};

// The icon a ProgID's "DefaultIcon" key names: the file's own icon ("%1"), or an
// icon of the installed viewer executable by index.
struct IconSource {
  bool fileOwnIcon = false;
  int viewerIconIndex = 0;
  constexpr bool operator==(const IconSource&) const = default;
};
inline constexpr IconSource kFileOwnIcon{true, 0};
inline constexpr IconSource kViewerIcon{false, 0};
inline constexpr IconSource kVideoIcon{false, 12};
inline constexpr IconSource kAudioIcon{false, 11};

struct FileTypeRow {
  std::u16string_view listText;     // display only ("BMP/DIB"); never parsed
  std::u16string_view description;  // ends in " *" for formats opened through a plug-in
  ExtensionRegistrations registrations;
  IconSource iconSource;
};

// The rows in list order, indices 0 to 62.
std::span<const FileTypeRow, kFileTypeRowCount> FileTypeTable();

// Rows 0 to 48 are images: the rows the images-only preset selects.
constexpr bool IsImageRow(std::size_t row) { return row < kImageRowCount; }

// The text written as a ProgID's DefaultIcon: "%1", or `viewerPath` + "," + index.
std::u16string IconString(const IconSource& icon, std::u16string_view viewerPath);

}  // namespace lumora
