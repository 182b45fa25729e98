#pragma once

#include <QStringList>

// The program's entry: the component check, then the program body, loaded only when it may run.
namespace mMain {

int Main(int argc, char** argv);
// folder: where our libraries are installed.
bool CheckComponents(const QString& folder);
// The files our build delivers, in the order the check tests them.
QStringList OwnComponents();
QString ComponentFolder();

} // namespace mMain
