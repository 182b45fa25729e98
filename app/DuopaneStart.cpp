#include "app/mStartup.h"

// The program body's entry, looked up by the launcher once the components are there.
extern "C" __attribute__((visibility("default"))) void DuopaneStart()
{
    mStartup::Start();
}
