// The classes of the member objects and of the process-wide objects, for the window's
// own files. Until a class has landed its header is missing and its part is left out.
#pragma once

#include "log/log.h"

#if __has_include("geo/map_code.h")
#include "geo/map_code.h"
#define TARNIX_HAVE_MAP_CODE 1
#endif
#if __has_include("geo/boundary.h")
#include "geo/boundary.h"
#define TARNIX_HAVE_BOUNDARY 1
#endif
#if __has_include("card/fav_folders.h")
#include "card/fav_folders.h"
#define TARNIX_HAVE_FAV_FOLDERS 1
#endif
#if __has_include("card/favorites.h")
#include "card/favorites.h"
#define TARNIX_HAVE_FAVORITES 1
#endif
