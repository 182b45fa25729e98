#pragma once

#include "platform/shell/ItemIdList.h"

// One tree node's item ID lists: absolute from the Desktop, and its own item within its parent.
struct cPidl {
    platform::ItemIdList pidlFq;
    platform::ItemIdList PidlRel;
};
