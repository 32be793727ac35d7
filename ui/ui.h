// The whole control model in one include.
#pragma once

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/types.h"
