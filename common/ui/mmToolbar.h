#pragma once

class KeyedImageList;
class QToolBar;

namespace mmToolbar {

// Gives every button of a toolbar that is not a separator the picture whose key equals the
// button's key (its action's objectName); the toolbar takes the list's picture size. Answers how
// many buttons got a picture; a button without one keeps what it had.
int SetButtonPictures(QToolBar* toolbar, const KeyedImageList& pictures);

} // namespace mmToolbar
