#pragma once

#include <QIcon>
#include <QString>

// The pictures of the mail list: a closed envelope for new mail, an open one once read, both
// in red for spam.
namespace mMailPictures {

// key: "Mail", "MailRead", "Spam" or "SpamRead"; a null icon for any other key.
QIcon Picture(const QString& key);

} // namespace mMailPictures
