// Page 3, the user points: the loader, the owner-drawn list with its row controls, the
// name editors, the register and the delete.
#pragma once

class TFNaviEdit;

namespace pages {

// Plugs the page into the window: its loader and the delete and enter handlers into the
// hooks, the register and the list's drawing onto their controls. Run before FormCreate,
// which attaches the hooks to the row controls it creates.
void InstallUserPointPage(TFNaviEdit& window);

}  // namespace pages
