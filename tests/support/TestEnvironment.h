#pragma once

#include <QString>

namespace duopane::test {

// The private folder every test process gets: its own home, XDG folders and hive files.
QString testRoot();
// Sets HOME, the XDG folders and the hive folder below a fresh temporary folder.
void prepareTestEnvironment();
// The build folder (bin/ and lib/duopane/ below it) and the source folder.
QString buildDir();
QString sourceDir();

} // namespace duopane::test
