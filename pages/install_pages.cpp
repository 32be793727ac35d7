#include "pages/install_pages.h"

#include "pages/destination_page.h"
#include "pages/favorites_page.h"
#include "pages/update_page.h"
#include "pages/user_point_page.h"

namespace pages {

void InstallPages(TFNaviEdit& window) {
  InstallDestinationPage(window);
  InstallFavoritesPage(window);
  InstallUserPointPage(window);
  InstallUpdatePages(window);
}

}  // namespace pages
