#pragma once

#include "link/serialusbcommandhandler.h"
#include "sim/virtualmoduleserver.h"

// A virtual module on a pseudo-terminal with a command handler connected to it.
class BenchModule
{
public:
    // False, with the reason on standard error, when the module cannot be started.
    bool start();
    SerialUSBCommandHandler& handler() { return commandHandler; }

private:
    VirtualModuleServer server;
    SerialUSBCommandHandler commandHandler;
};
