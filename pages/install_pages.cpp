#include "pages/install_pages.h"

#include "pages/destination_page.h"

namespace pages {

void InstallPages(TFNaviEdit& window) {
  InstallDestinationPage(window);
}

}  // namespace pages
