// Page 1, the destination and the waypoint: the loader, the register, the two deletes,
// the name edits, and the coordinate and map code fields of both points.
#pragma once

class TFNaviEdit;

namespace pages {

// Plugs the page into the window: its loader into the hooks, its handlers onto the page's
// controls. Run before FormCreate, which attaches the delete handlers to their buttons.
void InstallDestinationPage(TFNaviEdit& window);

}  // namespace pages
