#pragma once

#include "platform/launch/ApplicationEntry.h"

#include <QString>

// Which application opens a document: the freedesktop MIME association rules, read from the
// mimeapps.list files and the desktop entries of the XDG folders (what xdg-mime reads).
namespace platform {

// The MIME type of what a document text names: "scheme://..." and "mailto:" give
// x-scheme-handler/<scheme>; an existing file or folder gives its type by name and content;
// anything else gives an empty text.
QString MimeTypeOfDocument(const QString& target);

// The application for a MIME type, or for the nearest of its parent types: the first usable
// default of the mimeapps.list files, then the added associations and the applications that
// declare the type, less the removed associations. An entry without a path when there is none.
ApplicationEntry DefaultApplication(const QString& mimeType);

} // namespace platform
