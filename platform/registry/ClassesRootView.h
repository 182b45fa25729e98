#pragma once

#include "platform/registry/HiveData.h"

namespace platform::registry {

// HKEY_CLASSES_ROOT as the shell would show it, made from the MIME database: ".ext" names its
// class (the MIME type), the class key holds the type's description and its "Content Type".
HiveData classesRootFromMimeDatabase();

} // namespace platform::registry
