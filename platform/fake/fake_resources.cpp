// FakeResources: the program's string table from res/string_table.h, a payload a
// test may give, and message boxes that record and answer.
#include "platform/fake/fake_platform.h"
#include "res/string_table.h"

namespace lumora::platform::fake {

FakeResources::FakeResources()
    : strings{
          {IDS_EXIT, u"" TEXT_EXIT},
          {IDS_DONE, u"" TEXT_DONE},
          {IDS_EXIT_QUESTION, u"" TEXT_EXIT_QUESTION},
          {IDS_INVALID_DESTINATION, u"" TEXT_INVALID_DESTINATION},
          {IDS_DESTINATION_LABEL, u"" TEXT_DESTINATION_LABEL},
          {IDS_CANT_INSTALL_FILES, u"" TEXT_CANT_INSTALL_FILES},
          {IDS_INSTALLATION_FOLDER, u"" TEXT_INSTALLATION_FOLDER},
          {IDS_ASSOCIATION_QUESTION, u"" TEXT_ASSOCIATION_QUESTION},
          {IDS_VIEWER_RUNNING, u"" TEXT_VIEWER_RUNNING},
          {IDS_CANT_CREATE_DESTINATION, u"" TEXT_CANT_CREATE_DESTINATION},
      } {}

std::u16string FakeResources::LoadText(std::uint32_t id) {
  auto it = strings.find(id);
  return it == strings.end() ? std::u16string() : it->second;
}

std::optional<std::span<const std::uint8_t>> FakeResources::PayloadArchive() {
  if (!payload) return std::nullopt;
  return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(payload->data()), payload->size());
}

namespace {

// Without a queued answer: MB_YESNO and MB_YESNOCANCEL answer No, MB_RETRYCANCEL
// Cancel, MB_ABORTRETRYIGNORE Abort, and MB_OK / MB_OKCANCEL answer OK.
int ShowMessageBoxDefault(std::uint32_t type) {
  switch (type & 0xF) {
    case 2:
      return 3;  // IDABORT
    case 3:
    case 4:
      return kIdNo;
    case 5:
      return kIdCancel;
    default:
      return kIdOk;
  }
}

}  // namespace

int FakeResources::ShowMessageBox(const std::u16string& text, const std::u16string& caption, std::uint32_t type) {
  shownMessages.push_back(ShownMessage{text, caption, type});
  if (answers.empty()) return ShowMessageBoxDefault(type);
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace lumora::platform::fake
