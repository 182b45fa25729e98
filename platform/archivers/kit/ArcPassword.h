#pragma once

#include <QByteArray>

#include <optional>

namespace arckit {

// Asks the user for the password of an encrypted member (through the prompt service);
// nullopt when cancelled or left empty. retry tells that the last password was wrong.
std::optional<QByteArray> askPassword(const QByteArray& memberName, bool retry);

} // namespace arckit
