// Wires every page's logic into the main window. main() and the tests call it once,
// between the window's constructor and FormCreate.
#pragma once

class TFNaviEdit;

namespace pages {

void InstallPages(TFNaviEdit& window);

}  // namespace pages
