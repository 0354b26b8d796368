#include "bench/benchmodule.h"

#include "link/serialusbdevice.h"

#include <cstdio>
#include <string>

bool BenchModule::start()
{
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "cannot start the virtual module: %s\n", error.c_str());
        return false;
    }
    commandHandler.setDevice(new SerialUSBDevice(QString::fromStdString(server.devicePath())));
    commandHandler.open();
    return commandHandler.isDeviceOpen();
}
