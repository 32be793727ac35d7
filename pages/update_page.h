// Pages 4 to 6, the updates of the GPS data, the firmware and the navigation software:
// picking the release folder, finding its subfolder and version, the version check, the
// copy onto the card and the recorded version.
#pragma once

#include <string>

class TFNaviEdit;

namespace pages {

inline constexpr char16_t kUpdateError[] = u"更新エラー";
inline constexpr char16_t kUpdated[] = u"正常更新されました";

// The folder the user picked, or the empty text on cancel (the picked state then stays
// as it was). A pick sets m_bFolderSelected.
std::u16string GetFolderSelection(TFNaviEdit& window);

// Copies what `source` ("X:\release\Data\*.*") names into the `destination` folder,
// creating folders and replacing files without asking. 0 on success, else the copier's code.
int ExCopyFile(TFNaviEdit& window, const std::string& source, const std::string& destination);

// Plugs the three pages into the window: folder buttons, register buttons and the folder
// edits that take no typing.
void InstallUpdatePages(TFNaviEdit& window);

}  // namespace pages
