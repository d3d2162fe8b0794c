#include "install/install_driver.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "install/icon_library.h"
#include "install/install_log.h"
#include "install/path_helpers.h"
#include "install/payload_extraction.h"
#include "install/settings_conversion.h"
#include "install/viewer_settings.h"
#include "res/string_table.h"
#include "system/register_with_system.h"
#include "wizard/association_question.h"

namespace lumora {
namespace {

// How a failure names the folder copy in a silent run's log entry.
enum class FolderPlacement { kAfterMessage, kBeforeMessage };

// Shows the failure in a wizard run, logs it in a silent run. The log entry is the
// message, ": " and the folder copy in its current state, or the reverse.
void ReportFailure(platform::Platform& platform, const SetupOptions& options, std::uint32_t messageId,
                   const std::u16string& folderCopy, FolderPlacement placement) {
  const std::u16string text = platform.resources.LoadText(messageId);
  if (options.silent == 0) {
    platform.resources.ShowMessageBox(text, options.caption, platform::kMbIconError);
    return;
  }
  const std::u16string entry =
      placement == FolderPlacement::kAfterMessage ? text + u": " + folderCopy : folderCopy + u": " + text;
  AppendToInstallLog(platform.files, platform.system, entry);
}

// The wizard's last word before the associations change, with No as the default
// button: the answer of the message box (ApplyAssociationAnswer says what it changes).
int AskAssociationQuestion(platform::Platform& platform, const SetupOptions& options) {
  const std::u16string question = platform.resources.LoadText(IDS_ASSOCIATION_QUESTION);
  return platform.resources.ShowMessageBox(question, options.caption, platform::kMbQuestionYesNoDefaultNo);
}

}  // namespace

int RunInstallation(platform::Platform& platform, SetupOptions& options) {
  // The folder copy: checked, created and rewritten by CreateFolderTree, and used up
  // to the unpacking. The later steps take the record's own destinationFolder.
  std::u16string folderCopy = options.destinationFolder.substr(0, kFolderTextMaxUnits);

  if (folderCopy.empty()) {
    ReportFailure(platform, options, IDS_INVALID_DESTINATION, folderCopy, FolderPlacement::kAfterMessage);
    return 0;
  }
  if (CreateFolderTree(platform.files, folderCopy) == 0) {
    ReportFailure(platform, options, IDS_CANT_CREATE_DESTINATION, folderCopy, FolderPlacement::kAfterMessage);
    return 0;
  }

  // A plug-in folder that cannot be made only means the plug-ins' own entries make it.
  std::u16string pluginFolder = folderCopy + u"Plugins";
  CreateFolderTree(platform.files, pluginFolder);

  const int keepIconLibrary = KeepInstalledIconLibrary(platform, folderCopy) ? 1 : 0;
  if (ExtractPayload(platform, folderCopy, keepIconLibrary) != 0) {
    ReportFailure(platform, options, IDS_CANT_INSTALL_FILES, folderCopy, FolderPlacement::kBeforeMessage);
    return 0;
  }

  // Nothing stops the installation after the unpacking: each later step ignores its
  // own failures.
  const std::u16string iniPath =
      WriteViewerSettings(platform, options.destinationFolder, options.iniFolder, options.silent);

  // Only Yes lets the chosen associations through; No leaves them unwritten and the
  // rest of the registration runs. The record itself stays as the user left it.
  AssociationSelection associations = options.associations;
  std::int32_t registerAssociations = options.registerAssociations;
  if (registerAssociations != 0 && options.silent == 0) {
    ApplyAssociationAnswer(AskAssociationQuestion(platform, options), associations, registerAssociations);
  }

  // The registration pass takes the record's own destination text and trims it itself.
  RegisterWithSystem(platform, registerAssociations, options.destinationFolder, options.startMenuGroup,
                     options.desktopShortcut, options.thumbnailsShortcut, options.allUsers, associations);

  if (std::unique_ptr<platform::InputFile> settings = platform.files.OpenForReading(iniPath)) {
    ConvertSettingsToUnicode(platform, iniPath, std::move(settings));
  }
  return 1;
}

}  // namespace lumora
