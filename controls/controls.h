// The control library: the manager, the base and every control class.
#pragma once
#include "common/checkbox.h"
#include "common/frame.h"
#include "common/graph.h"
#include "common/mtext.h"
#include "common/text.h"
#include "core/control.h"
#include "core/controlclass.h"
#include "core/controlmgr.h"
#include "image/button.h"
#include "image/shadowbutton.h"
#include "image/texdlg.h"
