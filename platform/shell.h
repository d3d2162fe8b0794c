#pragma once
// Shell links and shell notifications.
#include <optional>
#include <string>

namespace lumora::platform {

// The link properties the setup program sets; absent ones are not set at all.
struct ShellLink {
  std::u16string target;
  std::optional<std::u16string> arguments;
  std::optional<std::u16string> iconFile;
  int iconIndex = 0;
  std::optional<std::u16string> description;
  bool operator==(const ShellLink&) const = default;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // One link: COM initialised, a shell link created, properties set in the order
  // icon location, path, arguments, description, saved with IPersistFile::Save
  // (replacing a file of the same name), released, COM uninitialised.
  // False when the object could not be made or the save failed.
  virtual bool SaveLink(const ShellLink& link, const std::u16string& linkPath) = 0;
  // SystemParametersInfoW(SPI_SETICONS, 0, NULL, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE).
  virtual void ReloadSystemIcons() = 0;
  // SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, NULL, NULL).
  virtual void NotifyAssociationsChanged() = 0;
};

}  // namespace lumora::platform
